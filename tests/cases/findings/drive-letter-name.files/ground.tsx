<?xml version="1.0" encoding="UTF-8"?>
<tileset version="1.8" name="ground" tilewidth="32" tileheight="32" tilecount="198" columns="16"/>
