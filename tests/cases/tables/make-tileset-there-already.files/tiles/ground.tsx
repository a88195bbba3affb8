<tileset/>
