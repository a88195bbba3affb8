<?xml version="1.0" encoding="UTF-8"?>
<tileset version="1.8" tiledversion="1.8.2" name="ground" tilewidth="32" tileheight="32" tilecount="199" columns="16">
 <image source="ground.png" width="512" height="416"/>
 <tile id="1">
  <properties>
   <property name="name" value="grass"/>
  </properties>
 </tile>
 <tile id="2">
  <properties>
   <property name="name" value="tall grass"/>
  </properties>
 </tile>
 <tile id="3">
  <properties>
   <property name="name" value="dirt"/>
  </properties>
 </tile>
 <tile id="20">
  <properties>
   <property name="name" value="road"/>
  </properties>
 </tile>
 <tile id="29">
  <properties>
   <property name="name" value="deep water"/>
  </properties>
 </tile>
 <tile id="60">
  <properties>
   <property name="name" value="shallows"/>
  </properties>
 </tile>
 <tile id="72">
  <properties>
   <property name="name" value="rocks"/>
  </properties>
 </tile>
 <tile id="100">
  <properties>
   <property name="name" value="well, north-west"/>
  </properties>
 </tile>
 <tile id="101">
  <properties>
   <property name="name" value="well, north-east"/>
  </properties>
 </tile>
 <tile id="102">
  <properties>
   <property name="name" value="well, south-west"/>
  </properties>
 </tile>
 <tile id="103">
  <properties>
   <property name="name" value="well, south-east"/>
  </properties>
 </tile>
 <tile id="110">
  <properties>
   <property name="name" value="flowers"/>
  </properties>
 </tile>
</tileset>
