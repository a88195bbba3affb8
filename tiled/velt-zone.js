/*
 * Velt zone script export for Tiled 1.8 and later (what differs between
 * versions is detected, never assumed from the version number).
 *
 * Adds "Velt zone script" (short name "zone") to File > Export As: the map as
 * it is in the editor, unsaved edits included, goes through VeltTileConverter,
 * and each of its findings shows in the Issues view, stamped with the time of
 * its export; activating one brings its map to the front and selects the
 * object, cells or layer it is about. Tiled's command line uses it too:
 *
 *   tiled --export-map zone maps/town.tmx zones/town.txt
 *
 * The map's custom property types come from the project open in Tiled where
 * Tiled names it (1.10 and later), else from the project file nearest the
 * map, as the converter finds it.
 *
 * The converter is the VeltTileConverter beside this script (as the Windows
 * package puts it), else the program named by the environment variable
 * VELT_TILE_CONVERTER, else VeltTileConverter on PATH.
 */

var veltZone = (function () {
    "use strict";

    var windows = tiled.platform === "windows";
    var programName = "VeltTileConverter" + (windows ? ".exe" : "");

    // The folder this script was loaded from, read off the stack of an error
    // thrown while it loads: "file:///C:/Users/.../velt/velt-zone.js:12".
    var scriptFolder = (function () {
        try {
            throw new Error("where");
        } catch (e) {
            var found = /file:\/\/(.*)\/[^\/]*\.js:\d+/.exec(String(e.stack));
            if (!found) return "";
            var path = found[1];
            try {
                path = decodeURIComponent(path);  // where the engine gives it percent-encoded
            } catch (notEncoded) {
                // a "%" of the name itself
            }
            return /^\/[A-Za-z]:/.test(path) ? path.substring(1) : path;  // "/C:/x" is "C:/x"
        }
    })();

    function converter() {
        if (scriptFolder) {
            var beside = FileInfo.joinPaths(scriptFolder, programName);
            if (File.exists(beside)) return beside;
        }
        var named = new Process().getEnv("VELT_TILE_CONVERTER");
        return named ? named : programName;
    }

    // Why the converter could not be started, and where it is looked for.
    function notStarted() {
        return converter() + " could not be started: put " + programName + " beside " +
               "this extension or on PATH, or name it in the environment variable " +
               "VELT_TILE_CONVERTER";
    }

    // The map being exported, as its file is named: Tiled 1.12 names the map
    // it hands write(); earlier ones hand a copy without a name, and the map
    // is the document in front, or the one Tiled's command line exports.
    function sourceName(map) {
        if (map && map.fileName) return map.fileName;
        var asset = tiled.activeAsset;
        if (asset && asset.isTileMap && asset.fileName) return asset.fileName;
        return exportArguments(Qt.application.arguments)[1] || "";
    }

    // What follows --export-map on Tiled's command line: [format,] source,
    // target, with the options and their values left out (--project FILE,
    // which Tiled takes from 1.11).
    function exportArguments(args) {
        var at = args.indexOf("--export-map");
        if (at < 0) return [];
        var rest = [];
        for (var i = at + 1; i < args.length; ++i) {
            if (args[i] === "--project") ++i;
            else if (args[i].indexOf("--") !== 0) rest.push(args[i]);
        }
        return rest.length >= 3 ? rest.slice(0, 3) : [""].concat(rest.slice(0, 2));
    }

    // The project open in Tiled, whose property types the map uses: Tiled
    // 1.10 names it (projectFilePath; tiled.project from 1.10.1), and its
    // command line takes one from 1.11. None in Tiled 1.8: the converter
    // then finds the project nearest the map.
    function projectFile(api, args) {
        if (api && typeof api.projectFilePath === "string" && api.projectFilePath) {
            return api.projectFilePath;
        }
        if (api && api.project && api.project.fileName) return api.project.fileName;
        var at = args ? args.indexOf("--project") : -1;
        return at >= 0 && at + 1 < args.length ? args[at + 1] : "";
    }

    // Writes `map` to `fileName` in `format`: "" or why not, whether the
    // format says so by throwing (Tiled 1.8) or by returning it (later ones).
    function writeMapWith(format, map, fileName) {
        try {
            var result = format.write(map, fileName);
            return typeof result === "string" ? result : "";
        } catch (e) {
            return String(e.message || e) || "the format failed";
        }
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

    // A layer or group by its id, which Tiled gives every layer since 1.2.
    function findLayerById(layers, id) {
        for (var i = 0; i < layers.length; ++i) {
            if (layers[i].id === id) return layers[i];
            if (layers[i].isGroupLayer) {
                var found = findLayerById(layers[i].layers, id);
                if (found) return found;
            }
        }
        return null;
    }

    // A layer or group by its path through its groups, "South/Ground", for a
    // map written without ids. The first of the same path counts.
    function findLayerByPath(layers, names) {
        for (var i = 0; i < layers.length; ++i) {
            if (layers[i].name !== names[0]) continue;
            if (names.length === 1) return layers[i];
            if (layers[i].isGroupLayer) {
                var found = findLayerByPath(layers[i].layers, names.slice(1));
                if (found) return found;
            }
        }
        return null;
    }

    // The finding's own map in front, opened again if it was closed; null if
    // it is gone. Never another map.
    function bringToFront(document, fileName) {
        var open = tiled.openAssets;
        for (var i = 0; i < open.length; ++i) {
            if (open[i] === document || (fileName && open[i].fileName === fileName)) {
                tiled.activeAsset = open[i];
                return open[i];
            }
        }
        if (!fileName || !File.exists(fileName)) return null;
        var opened = tiled.open(fileName);
        if (opened) tiled.activeAsset = opened;
        return opened && opened.isTileMap ? opened : null;
    }

    // What activating a finding in the Issues view does: bring its map to the
    // front, then select its object, or else its cells on its layer, or else
    // its layer.
    function selector(finding, document, fileName) {
        return function () {
            var map = bringToFront(document, fileName);
            if (!map) return;
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
            var layer = null;
            if (finding.layerId) layer = findLayerById(map.layers, finding.layerId);
            if (!layer && finding.layer) layer = findLayerByPath(map.layers, finding.layer.split("/"));
            if (!layer) return;
            map.currentLayer = layer;
            map.selectedLayers = [layer];
            var cells = finding.cells || [];
            for (var i = 0; i < cells.length; ++i) {
                var cell = Qt.rect(cells[i][0], cells[i][1], 1, 1);
                if (i === 0) map.selectedArea.set(cell);
                else map.selectedArea.add(cell);
            }
            if (cells.length > 0 && tiled.mapEditor && tiled.mapEditor.currentMapView) {
                tiled.mapEditor.currentMapView.centerOn((cells[0][0] + 0.5) * map.tileWidth,
                                                        (cells[0][1] + 0.5) * map.tileHeight);
            }
        };
    }

    // A finding as a line of the Issues view: the map, the time of the export
    // (Tiled keeps earlier exports' findings until its Clear button is
    // pressed, so the newest time marks the current ones), a note marked as
    // one, and the converter's words. A map the converter refuses says why.
    // Control characters as escapes, so that a finding stays one line.
    function visible(text) {
        return text.replace(/[\u0000-\u001f\u007f]/g, function (c) {
            if (c === "\t") return "\\t";
            if (c === "\r") return "\\r";
            if (c === "\n") return "\\n";
            return "\\x" + ("0" + c.charCodeAt(0).toString(16)).slice(-2);
        });
    }

    // A finding as the Issues view lists it. A zone script's findings carry
    // their line, the only place a text file has; a map's are found by
    // activating them. One about another file the converter read (a
    // .velt-checks file) names that file and its line.
    function findingText(finding, fileName, stamp, withLine, asked) {
        var message = finding.message;
        var refused = "cannot load the map: ";
        if (finding.kind === "load" && message.indexOf(refused) === 0) {
            message = "VeltTileConverter refuses the map: " + message.substring(refused.length);
        }
        if (asked && finding.file && finding.file !== asked) {
            fileName = FileInfo.fileName(finding.file);
            withLine = true;
        }
        var place = withLine && finding.line > 0 ? ":" + finding.line : "";
        return fileName + place + (stamp ? " " + stamp : "") + ": " +
               (finding.severity === "note" ? "note: " : "") + visible(message) + " [" +
               finding.kind + "]";
    }

    function timeStamp() {
        var now = new Date();
        var two = function (n) { return (n < 10 ? "0" : "") + n; };
        return two(now.getHours()) + ":" + two(now.getMinutes()) + ":" + two(now.getSeconds());
    }

    // Reports what the converter said: each JSON line a finding, any other
    // line as it is. Returns the errors' text.
    function report(stderr, mapName, document, fileName, withLine, asked) {
        var errors = [];
        var stamp = inEditor() ? timeStamp() : "";
        var lines = stderr.split(/\r?\n/);
        for (var i = 0; i < lines.length; ++i) {
            var line = lines[i];
            if (line === "") continue;
            var finding = null;
            try {
                finding = JSON.parse(line);
            } catch (e) {
                finding = null;
            }
            var text = finding ? findingText(finding, mapName, stamp, withLine, asked)
                               : visible(line);
            var isError = !finding || finding.severity === "error";
            if (isError) errors.push(text);
            if (!inEditor()) {
                console.error((finding ? finding.severity + ": " : "") + text);
            } else if (isError) {
                tiled.error(text, finding ? selector(finding, document, fileName) : undefined);
            } else {
                tiled.warn(text, selector(finding, document, fileName));
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
        var source = sourceName(map);
        var folders = source ? [FileInfo.path(source), FileInfo.path(fileName)]
                             : [FileInfo.path(fileName)];
        var reason = "";
        for (var i = 0; i < folders.length; ++i) {
            var stem = FileInfo.joinPaths(folders[i], "." + FileInfo.fileName(fileName) + ".velt-export");
            var temporary = stem + ".tmx";
            for (var n = 1; File.exists(temporary) && n < 100; ++n) temporary = stem + "-" + n + ".tmx";
            if (File.exists(temporary)) continue;
            reason = writeMapWith(tiled.mapFormat("tmx"), map, temporary);
            if (!reason) return temporary;
            if (File.exists(temporary)) File.remove(temporary);
        }
        throw new Error("cannot write the map for the converter: " + reason);
    }

    function write(map, fileName) {
        var source = sourceName(map);
        var mapName = source ? FileInfo.fileName(source) : "map";
        // The document exported, which a finding's activation brings back.
        var document = inEditor() && tiled.activeAsset.isTileMap ? tiled.activeAsset : null;
        var temporary;
        try {
            temporary = writeTemporaryMap(map, fileName);
        } catch (e) {
            console.error(String(e.message || e));
            return String(e.message || e);
        }

        var args = ["-o", fileName, "--diagnostics=json"];
        var project = projectFile(tiled, Qt.application.arguments);
        if (project) args.push("--project", project);
        var process = new Process();
        var status = process.exec(converter(), args.concat(["--", temporary]), false);
        var stderr = process.readStdErr();
        process.readStdOut();
        File.remove(temporary);

        if (status === -1) {
            console.error(notStarted());
            return notStarted();
        }
        var errors = report(stderr, mapName, document, source, false, temporary);
        if (status !== 0) return errors || "VeltTileConverter failed with status " + status;
        return undefined;
    }

    // Where opened zone scripts become maps: the user's cache, which keeps
    // the ground codes tileset's picture they all share.
    function cacheFolder() {
        var process = new Process();
        var cache = process.getEnv("XDG_CACHE_HOME") ||
                    (windows ? process.getEnv("LOCALAPPDATA")
                             : FileInfo.joinPaths(process.getEnv("HOME"), ".cache"));
        return FileInfo.joinPaths(cache, "velttileconverter");
    }

    // Opens a zone script as a map: the converter writes the map that
    // converts back to it (--to-map) into the cache, and Tiled reads that.
    // Findings show as the export's do, at their lines of the zone script.
    function read(fileName) {
        var folder = cacheFolder();
        File.makePath(folder);
        var target = FileInfo.joinPaths(folder, FileInfo.baseName(fileName) + ".tmx");
        var process = new Process();
        var status = process.exec(converter(), ["--to-map", "--diagnostics=json", "-o", target,
                                                "--", fileName], false);
        var stderr = process.readStdErr();
        process.readStdOut();
        if (status === -1) throw new Error(notStarted());
        var errors = report(stderr, FileInfo.fileName(fileName), null, fileName, true, fileName);
        if (status !== 0) throw new Error(errors || "VeltTileConverter failed with status " + status);
        return tiled.mapFormat("tmx").read(target);
    }

    // selector is what the Issues view runs; scripts/tiled-test runs it, and
    // the helpers that meet what differs between Tiled's versions, too.
    return {
        write: write,
        read: read,
        selector: selector,
        sourceName: sourceName,
        exportArguments: exportArguments,
        projectFile: projectFile,
        writeMapWith: writeMapWith
    };
})();

tiled.registerMapFormat("zone", {
    name: "Velt zone script",
    extension: "txt",
    write: veltZone.write,
    read: veltZone.read
});
