<?xml version="1.0" encoding="UTF-8"?>
<tileset version="1.8" tiledversion="1.8.2" name="held by the bottom-right" tilewidth="32" tileheight="32" tilecount="4" columns="2" objectalignment="bottomright">
 <image source="markers.png" width="64" height="64"/>
</tileset>
