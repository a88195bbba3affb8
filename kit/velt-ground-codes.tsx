<?xml version="1.0" encoding="UTF-8"?>
<tileset version="1.8" tiledversion="1.8.2" name="Velt ground codes" tilewidth="32" tileheight="32" tilecount="199" columns="16">
 <image source="velt-ground-codes.png" width="512" height="416"/>
</tileset>
