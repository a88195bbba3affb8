/*
 * Velt zone script export for Tiled 1.8 and later.
 *
 * Adds "Velt zone script" (short name "zone") to File > Export As: the map as
 * it is in the editor, unsaved edits included, goes through VeltTileConverter,
 * and each of its findings shows in the Issues view, where activating one
 * selects the object or layer it is about. Tiled's command line uses it too:
 *
 *   tiled --export-map zone maps/town.tmx zones/town.txt
 *
 * The converter is VeltTileConverter on PATH, or the program named by the
 * environment variable VELT_TILE_CONVERTER.
 */

var veltZone = (function () {
    "use strict";

    function converter() {
        var process = new Process();
        var named = process.getEnv("VELT_TILE_CONVERTER");
        return named ? named : "VeltTileConverter";
    }

    // The map being exported, as its file is named: Tiled hands write() a
    // copy that has no file name.
    function sourceName() {
        var asset = tiled.activeAsset;
        if (asset && asset.isTileMap && asset.fileName) return asset.fileName;
        var args = Qt.application.arguments;
        var at = args.indexOf("--export-map");
        if (at < 0) return "";
        var rest = args.slice(at + 1).filter(function (a) { return a.indexOf("--") !== 0; });
        return rest.length >= 3 ? rest[1] : rest[0] || "";
    }

    function inEditor() {
        return tiled.activeAsset !== null && tiled.mapEditor !== null;
    }

    function findObject(layers, id) {
        for (var i = 0; i < layers.length; ++i) {
            var layer = layers[i];
            if (layer.isObjectLayer) {
                for (var j = 0; j < layer.objects.length; ++j) {
                    if (layer.objects[j].id === id) return layer.objects[j];
                }
            } else if (layer.isGroupLayer) {
                var found = findObject(layer.layers, id);
                if (found) return found;
            }
        }
        return null;
    }

    function findLayer(layers, name) {
        for (var i = 0; i < layers.length; ++i) {
            if (layers[i].name === name) return layers[i];
            if (layers[i].isGroupLayer) {
                var found = findLayer(layers[i].layers, name);
                if (found) return found;
            }
        }
        return null;
    }

    // What activating a finding in the Issues view does: select its object,
    // or else its layer, in the map that is open.
    function selector(finding) {
        return function () {
            var map = tiled.activeAsset;
            if (!map || !map.isTileMap) return;
            if (finding.object) {
                var object = findObject(map.layers, finding.object);
                if (object) {
                    map.currentLayer = object.layer;
                    map.selectedObjects = [object];
                    if (tiled.mapEditor && tiled.mapEditor.currentMapView) {
                        tiled.mapEditor.currentMapView.centerOn(object.x, object.y);
                    }
                    return;
                }
            }
            if (finding.layer) {
                var layer = findLayer(map.layers, finding.layer);
                if (layer) {
                    map.currentLayer = layer;
                    map.selectedLayers = [layer];
                }
            }
        };
    }

    // Reports what the converter said: each JSON line a finding, any other
    // line as it is. Returns the errors' text.
    function report(stderr, mapName) {
        var errors = [];
        var lines = stderr.split("\n");
        for (var i = 0; i < lines.length; ++i) {
            var line = lines[i];
            if (line === "") continue;
            var finding = null;
            try {
                finding = JSON.parse(line);
            } catch (e) {
                finding = null;
            }
            var text = finding
                ? mapName + ": " + finding.message +
                  " [" + finding.kind + "]"
                : line;
            var isError = !finding || finding.severity === "error";
            if (isError) errors.push(text);
            if (!inEditor()) {
                console.error((finding ? finding.severity + ": " : "") + text);
            } else if (isError) {
                tiled.error(text, finding ? selector(finding) : undefined);
            } else {
                tiled.warn(text, selector(finding));
            }
        }
        return errors.join("\n");
    }

    // Writes the map as TMX for the converter, in a folder where its relative
    // paths resolve: beside the map's own file where it has one (the target
    // may be a device or a pipe, whose folder is no place for files), else
    // beside the zone script. Never over a file that is there. Returns the
    // name written, or throws Tiled's reason.
    function writeTemporaryMap(map, fileName) {
        var source = sourceName();
        var folders = source ? [FileInfo.path(source), FileInfo.path(fileName)]
                             : [FileInfo.path(fileName)];
        var reason = "";
        for (var i = 0; i < folders.length; ++i) {
            var stem = FileInfo.joinPaths(folders[i], "." + FileInfo.fileName(fileName) + ".velt-export");
            var temporary = stem + ".tmx";
            for (var n = 1; File.exists(temporary) && n < 100; ++n) temporary = stem + "-" + n + ".tmx";
            if (File.exists(temporary)) continue;
            try {
                tiled.mapFormat("tmx").write(map, temporary);
                return temporary;
            } catch (e) {
                reason = String(e);
                if (File.exists(temporary)) File.remove(temporary);
            }
        }
        throw new Error("cannot write the map for the converter: " + reason);
    }

    function write(map, fileName) {
        var source = sourceName();
        var mapName = source ? FileInfo.fileName(source) : "map";
        var temporary;
        try {
            temporary = writeTemporaryMap(map, fileName);
        } catch (e) {
            console.error(String(e.message || e));
            return String(e.message || e);
        }

        var process = new Process();
        var status = process.exec(converter(),
                                  ["-o", fileName, "--diagnostics=json", "--", temporary], false);
        var stderr = process.readStdErr();
        process.readStdOut();
        File.remove(temporary);

        if (status === -1) {
            var missing = converter() + " could not be started: put VeltTileConverter on PATH " +
                          "or name it in the environment variable VELT_TILE_CONVERTER";
            console.error(missing);
            return missing;
        }
        var errors = report(stderr, mapName);
        if (status !== 0) return errors || "VeltTileConverter failed with status " + status;
        return undefined;
    }

    return { write: write };
})();

tiled.registerMapFormat("zone", {
    name: "Velt zone script",
    extension: "txt",
    write: veltZone.write
});
