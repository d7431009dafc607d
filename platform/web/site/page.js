// The page's side of the web presenter. It queues the player's input for
// the program and wakes it, answers its waits, measures text, and turns the
// scene the program describes into elements, with a canvas for the pixels
// of each window's client area. What the input means is decided in the
// program; what is drawn where, too.
"use strict";

var BlastgridPage = (function () {
    // The font of menus, boxes and controls: the program lays them out with
    // its widths (measureText), so the page's elements and the layout agree.
    var FONT = 'Tahoma, "DejaVu Sans", "Segoe UI", Verdana, sans-serif';
    var LONG_PRESS = 500;  // as the program's long press, plus a little to be sure
    var EVENT = {mouse: 1, touchStart: 2, touchMove: 3, touchEnd: 4, touchCancel: 5,
                 keyDown: 6, keyUp: 7, resize: 8, tick: 9, blur: 10};

    var queue = [];
    var wake = null;
    var idle = false;
    var page = null;
    var canvases = {};
    var icon = "";
    var touchMark = null;
    // For the benchmark: paints of the main window's canvas and when.
    var counting = {start: 0, frames: 0, lastPaint: 0, idleAt: 0, ticks: []};
    var mainWindow = null;
    var measureContext = null;
    var requestedZoom = (function () {
        var match = /[?&]zoom=([0-9]+)/.exec(location.search);
        return match ? Number(match[1]) : 0;
    })();

    function queueEvent(event) {
        var last = queue[queue.length - 1];
        // Moves with the same buttons held: only the last place matters, as
        // the real system keeps one mouse move in its queue.
        if (last && event.type === EVENT.mouse && last.type === EVENT.mouse && last.buttons === event.buttons)
            queue[queue.length - 1] = event;
        else if (last && event.type === EVENT.resize && last.type === EVENT.resize)
            return;
        else
            queue.push(event);
        if (wake) {
            var waker = wake;
            wake = null;
            waker();
        }
    }

    // ---- Input -------------------------------------------------------------

    // A mouse's events. The browser also tells when its pointer comes over
    // other elements without moving (the page's windows appearing under
    // it), which is a move to the program, as the real system makes one
    // when a window appears under a still mouse.
    function onPointer(event) {
        if (event.type === "pointerover" && event.pointerType === "touch")
            return;
        if (event.pointerType === "touch") {
            onTouch(event);
            return;
        }
        if (event.type === "pointerdown") {
            event.preventDefault();
            page.focus();
            try {
                page.setPointerCapture(event.pointerId);
            } catch (ignored) {
            }
        }
        var buttons = event.type === "pointercancel" ? 0 : event.buttons;
        queueEvent({type: EVENT.mouse, x: event.clientX, y: event.clientY, buttons: buttons, time: event.timeStamp});
    }

    function onTouch(event) {
        event.preventDefault();
        var types = {pointerdown: EVENT.touchStart, pointermove: EVENT.touchMove, pointerup: EVENT.touchEnd,
                     pointercancel: EVENT.touchCancel};
        var type = types[event.type];
        queueEvent({type: type, x: event.clientX, y: event.clientY, finger: event.pointerId, time: event.timeStamp});
        if (type === EVENT.touchStart)
            setTimeout(function () {
                queueEvent({type: EVENT.tick, time: performance.now()});
            }, LONG_PRESS + 20);
    }

    // Whether the program wants the key rather than the browser: asked of
    // the program while the event is still the browser's to cancel.
    function keepKey(event) {
        if (typeof Module === "undefined" || !Module.calledRun || !Module._BlastgridKeepKey)
            return false;
        var code = allocateText(event.code || "");
        var key = allocateText(event.key || "");
        var keep = Module._BlastgridKeepKey(code, key, event.ctrlKey ? 1 : 0, event.metaKey ? 1 : 0);
        Module._free(code);
        Module._free(key);
        return keep !== 0;
    }

    function allocateText(text) {
        var size = Module.lengthBytesUTF8(text) + 1;
        var pointer = Module._malloc(size);
        Module.stringToUTF8(text, pointer, size);
        return pointer;
    }

    function onKey(event) {
        if (keepKey(event))
            event.preventDefault();
        queueEvent({type: event.type === "keydown" ? EVENT.keyDown : EVENT.keyUp, code: event.code,
                    key: event.key, repeat: event.repeat, time: event.timeStamp});
    }

    function start() {
        page = document.getElementById("page");
        page.style.fontFamily = FONT;
        page.tabIndex = 0;
        ["pointerdown", "pointermove", "pointerup", "pointercancel", "pointerover"].forEach(function (type) {
            page.addEventListener(type, onPointer, {passive: false});
        });
        // A long press or the right button brings no menu of the browser's.
        document.addEventListener("contextmenu", function (event) {
            event.preventDefault();
        });
        window.addEventListener("keydown", onKey);
        window.addEventListener("keyup", onKey);
        window.addEventListener("blur", function () {
            queueEvent({type: EVENT.blur, time: performance.now()});
        });
        window.addEventListener("resize", function () {
            queueEvent({type: EVENT.resize, time: performance.now()});
        });
        page.focus();
    }

    // ---- What the program asks -----------------------------------------------

    function metrics() {
        return {width: document.documentElement.clientWidth, height: document.documentElement.clientHeight,
                devicePixelRatio: window.devicePixelRatio || 1, zoom: requestedZoom};
    }

    function takeEvent() {
        return queue.shift();
    }

    function nextEvent() {
        if (queue.length)
            return Promise.resolve();
        return new Promise(function (resolve) {
            wake = resolve;
        });
    }

    function nextFrame() {
        return new Promise(function (resolve) {
            requestAnimationFrame(function () {
                resolve();
            });
        });
    }

    function setIdle(value) {
        idle = value;
        if (value)
            counting.idleAt = performance.now();
    }

    function measureText(text, pixels) {
        if (!measureContext)
            measureContext = document.createElement("canvas").getContext("2d");
        measureContext.font = pixels + "px " + FONT;
        return Math.ceil(measureContext.measureText(text).width);
    }

    // ---- Drawing -------------------------------------------------------------

    function place(element, rect) {
        element.style.left = rect[0] + "px";
        element.style.top = rect[1] + "px";
        element.style.width = rect[2] + "px";
        element.style.height = rect[3] + "px";
        return element;
    }

    function box(className, rect) {
        var element = document.createElement("div");
        element.className = className;
        return place(element, rect);
    }

    // An element that holds a line of the program's text.
    function textBox(className, rect, scene) {
        var element = box(className, rect);
        element.style.fontSize = scene.text + "px";
        element.style.lineHeight = scene.line + "px";
        return element;
    }

    // A one-pixel edge of the program's, inside `rect`: raised (light above
    // and left) or sunken.
    function thinEdge(rect, raised, scene) {
        var edge = box("edge " + (raised ? "raised" : "sunken"), rect);
        edge.style.borderWidth = scene.scale + "px";
        return edge;
    }

    // A pattern of the program's pixels ('#' drawn) as an image at the zoom.
    function pixelPattern(rows, colour, scale) {
        var rects = "";
        rows.forEach(function (row, y) {
            for (var x = 0; x < row.length; ++x)
                if (row[x] === "#")
                    rects += '<rect x="' + x + '" y="' + y + '" width="1" height="1"/>';
        });
        var element = document.createElement("div");
        element.className = "mark";
        element.style.width = rows[0].length * scale + "px";
        element.style.height = rows.length * scale + "px";
        element.innerHTML = '<svg viewBox="0 0 ' + rows[0].length + " " + rows.length + '" fill="' + colour +
                            '" shape-rendering="crispEdges" xmlns="http://www.w3.org/2000/svg">' + rects + "</svg>";
        return element;
    }

    // A text with '&' before its mnemonic ("&&" for '&'): the mnemonic underlined.
    function marked(element, text) {
        for (var i = 0; i < text.length; ++i) {
            if (text[i] === "&" && i + 1 < text.length) {
                ++i;
                if (text[i] !== "&") {
                    var underlined = document.createElement("u");
                    underlined.textContent = text[i];
                    element.appendChild(underlined);
                    continue;
                }
            }
            element.appendChild(document.createTextNode(text[i]));
        }
        return element;
    }

    function showWindow(view, scene, shown) {
        var frame = box("frame", view.frame);
        frame.style.borderWidth = Math.min(view.border, 2 * scene.scale) + "px";
        page.appendChild(frame);
        if (view.caption) {
            var caption = box("caption" + (view.active ? " active" : ""), view.caption);
            caption.style.fontSize = scene.text + "px";
            caption.style.paddingLeft = 2 * scene.scale + "px";
            if (view.main && icon) {
                var image = document.createElement("img");
                image.src = icon;
                image.style.width = image.style.height = 16 * scene.scale + "px";
                image.style.marginRight = 3 * scene.scale + "px";
                caption.appendChild(image);
            }
            var title = document.createElement("span");
            title.textContent = view.title;
            caption.appendChild(title);
            page.appendChild(caption);
            if (view.close) {
                var close = box("close", view.close);
                close.style.borderWidth = scene.scale + "px";
                close.style.fontSize = scene.text + "px";
                close.textContent = "\u00d7";
                page.appendChild(close);
            }
        }
        if (view.menu) {
            page.appendChild(box("menubar", view.menu));
            (view.titles || []).forEach(function (item) {
                showTitle(item, scene);
            });
        }
        if (view.box) {
            showMessageBox(view, scene);
            return;
        }
        var canvas = canvases[view.id];
        if (!canvas) {
            canvas = document.createElement("canvas");
            canvas.className = "client";
            canvas.width = view.clientSize[0];
            canvas.height = view.clientSize[1];
            canvases[view.id] = canvas;
        }
        shown[view.id] = true;
        page.appendChild(place(canvas, view.client));
        (view.controls || []).forEach(function (control) {
            page.appendChild(showControl(control, scene));
        });
    }

    // A title of the menu bar: its text menuTitlePadding in; while the menu
    // is in use the selected title stands out, and sinks with its text
    // while its drop-down is open.
    function showTitle(item, scene) {
        var selected = item.sel || item.open;
        if (selected) {
            var r = item.r;
            page.appendChild(thinEdge([r[0], r[1] + scene.scale, r[2], r[3] - 2 * scene.scale], !item.open, scene));
        }
        var title = textBox("title", item.r, scene);
        var shift = item.open ? scene.scale : 0;
        title.style.paddingLeft = scene.titlePad + shift + "px";
        title.style.paddingTop = 2 * shift + "px";
        page.appendChild(marked(title, item.text));
    }

    // A push button: raised, sunken while pressed; the focused one has a
    // black outline and a dotted rectangle inside.
    function showButton(className, rect, text, focused, pressed, scene) {
        var element = textBox(className, rect, scene);
        if (pressed)
            element.classList.add("pressed");
        if (focused) {
            element.classList.add("focused");
            var dots = document.createElement("span");
            dots.className = "focus";
            dots.style.inset = 3 * scene.scale + "px";  // 4 from the outside, inside the border
            dots.style.borderWidth = scene.scale + "px";
            element.appendChild(dots);
        }
        return marked(element, text);
    }

    // Labels show their text from the top, aligned as their style says;
    // fields their text 3 pixels in and, while focused, the caret after it.
    function showControl(control, scene) {
        if (control.kind === "button")
            return showButton("button" + (control.enabled ? "" : " disabled"), control.r, control.text,
                              control.focus, control.pressed, scene);
        var element = textBox(control.kind, control.r, scene);
        if (!control.enabled)
            element.classList.add("disabled");
        if (control.kind === "field") {
            element.style.borderWidth = scene.scale + "px";
            element.style.paddingLeft = 2 * scene.scale + "px";
            element.appendChild(document.createTextNode(control.text));
            if (control.focus) {
                var caret = element.appendChild(document.createElement("span"));
                caret.className = "caret";
                caret.style.width = scene.scale + "px";
                caret.style.height = scene.line + "px";
            }
        } else {
            if (control.sunken) {
                element.classList.add("sunken");
                element.style.borderWidth = scene.scale + "px";
            }
            element.style.justifyContent = {left: "flex-start", center: "center", right: "flex-end"}[control.align];
            marked(element, control.text);
        }
        return element;
    }

    // The message boxes' icons, on a 32-pixel square: a red disc with a
    // white cross, a yellow triangle with a black mark, and blue discs with
    // a white letter.
    var BLUE_DISC = '<circle cx="16" cy="16" r="16" fill="#000080"/><circle cx="16" cy="16" r="15" fill="#0000ff"/>';
    var ICONS = {
        stop: '<circle cx="16" cy="16" r="16" fill="#800000"/><circle cx="16" cy="16" r="15" fill="#ff0000"/>' +
              '<path d="M10.5 10.5 21.5 21.5M21.5 10.5 10.5 21.5" stroke="#fff" stroke-width="3.5"/>',
        exclamation: '<path d="M16 1 1 30H31Z"/><path d="M16 4 3 29H29Z" fill="#ffff00"/>' +
                     '<path d="M16 12V21" stroke="#000" stroke-width="3.5"/><circle cx="16" cy="25" r="2"/>',
        information: BLUE_DISC + '<g fill="#fff"><circle cx="16" cy="8" r="2"/><path d="M14 13h4v12h-4z' +
                     'M12 13h2v2h-2zM12 24h8v2h-8z"/></g>',
        question: BLUE_DISC + '<path d="M11.3 13.7A5 5 0 1 1 17.7 16.7L16 20V21.5" fill="none" stroke="#fff" ' +
                  'stroke-width="3.5"/><circle cx="16" cy="25" r="2" fill="#fff"/>'
    };

    function showMessageBox(view, scene) {
        page.appendChild(box("boxclient", view.client));
        var content = view.messageBox;
        if (!content)
            return;
        if (content.icon && ICONS[content.icon]) {
            var icon = box("boxicon", content.iconRect);
            icon.innerHTML = '<svg viewBox="0 0 32 32" xmlns="http://www.w3.org/2000/svg">' + ICONS[content.icon] +
                             "</svg>";
            page.appendChild(icon);
        }
        content.lines.forEach(function (line) {
            var text = textBox("line", [line.x, line.y, 0, scene.line], scene);
            text.style.width = "auto";
            text.textContent = line.text;
            page.appendChild(text);
        });
        var button = content.button;
        page.appendChild(showButton("button", button.r, button.text, button.focus, button.pressed, scene));
    }

    // The marks in a drop-down's gutter, as the program's pixels.
    var CHECK_MARK = ["......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#...."];
    var RADIO_MARK = [".####.", "######", "######", "######", "######", ".####."];

    // A drop-down: a raised frame; items with their mark centred in the
    // gutter, their text after it and their key text ending menuKeyMargin
    // before their right side; grayed texts etched; separators an etched
    // line across the middle.
    function showDropDown(dropDown, scene) {
        var frame = box("dropdown", dropDown.r);
        frame.style.borderWidth = scene.scale + "px";
        page.appendChild(frame);
        dropDown.items.forEach(function (item) {
            var r = item.r;
            if (item.sep) {
                var lines = Math.round(r[3] / scene.scale);
                var middle = r[1] + (Math.floor(lines / 2) - 1) * scene.scale;
                var separator = box("separator", [r[0], middle, r[2], 2 * scene.scale]);
                separator.style.borderTopWidth = separator.style.borderBottomWidth = scene.scale + "px";
                page.appendChild(separator);
                return;
            }
            var element = textBox("item" + (item.sel ? " selected" : "") + (item.gray ? " grayed" : ""), r, scene);
            element.style.paddingLeft = scene.gutter + "px";
            var colour = item.gray ? "#808080" : item.sel ? "#fff" : "#000";
            if (item.check) {
                var pattern = item.radio ? RADIO_MARK : CHECK_MARK;
                var mark = pixelPattern(pattern, colour, scene.scale);
                var height = Math.round(r[3] / scene.scale);
                mark.style.left = Math.floor((Math.round(scene.gutter / scene.scale) - pattern[0].length) / 2) *
                                  scene.scale + "px";
                mark.style.top = Math.floor((height - pattern.length) / 2) * scene.scale + "px";
                element.appendChild(mark);
            }
            marked(element, item.text);
            if (item.key) {
                var key = document.createElement("span");
                key.className = "key";
                key.style.right = scene.keyMargin + "px";
                key.textContent = item.key;
                element.appendChild(key);
            }
            page.appendChild(element);
        });
    }

    function showTouch(touch) {
        if (!touch) {
            touchMark = null;
            return;
        }
        if (!touchMark || touchMark.start !== touch.start) {
            var element = document.createElement("div");
            element.className = "touch";
            touchMark = {start: touch.start, element: element};
        }
        var size = 56;
        place(touchMark.element, [touch.x, touch.y, size, size]);
        touchMark.element.classList.toggle("fired", touch.long);
        page.appendChild(touchMark.element);
    }

    function showEnded() {
        var note = document.createElement("div");
        note.className = "ended";
        note.textContent = "Blastgrid has ended. ";
        var again = document.createElement("button");
        again.textContent = "Play again";
        again.addEventListener("click", function () {
            location.reload();
        });
        again.addEventListener("pointerdown", function (event) {
            event.stopPropagation();
        });
        note.appendChild(again);
        page.appendChild(note);
    }

    function showScene(scene) {
        BlastgridPage.scene = scene;
        var shown = {};
        page.textContent = "";
        // One pixel of the program's, for the style sheet's edges.
        page.style.setProperty("--px", scene.scale + "px");
        scene.windows.forEach(function (view) {
            showWindow(view, scene, shown);
            if (view.main) {
                document.title = view.title;
                mainWindow = view.id;
            }
        });
        Object.keys(canvases).forEach(function (id) {
            if (!shown[id])
                delete canvases[id];
        });
        if (scene.dropDown)
            showDropDown(scene.dropDown, scene);
        showTouch(scene.touch);
        if (scene.ended)
            showEnded();
    }

    // Rectangles [x, y, width, height, ...] of a window's canvas take the
    // RGBA pixels at `at` in `heap`, one rectangle after the other.
    function paint(window, canvasWidth, canvasHeight, rects, heap, at) {
        var canvas = canvases[window];
        if (!canvas) {
            canvas = document.createElement("canvas");
            canvas.className = "client";
            canvases[window] = canvas;
        }
        if (canvas.width !== canvasWidth || canvas.height !== canvasHeight) {
            canvas.width = canvasWidth;
            canvas.height = canvasHeight;
        }
        var context = canvas.getContext("2d");
        for (var i = 0; i < rects.length; i += 4) {
            var size = rects[i + 2] * rects[i + 3] * 4;
            var pixels = new Uint8ClampedArray(heap.buffer, heap.byteOffset + at, size);
            context.putImageData(new ImageData(pixels, rects[i + 2], rects[i + 3]), rects[i], rects[i + 1]);
            at += size;
        }
        if (window === mainWindow) {
            counting.frames += 1;
            counting.lastPaint = performance.now();
            if (!test.firstBoard)
                test.firstBoard = counting.lastPaint;
        }
    }

    function setIcon(width, height, rgba) {
        var canvas = document.createElement("canvas");
        canvas.width = width;
        canvas.height = height;
        canvas.getContext("2d").putImageData(new ImageData(new Uint8ClampedArray(rgba), width, height), 0, 0);
        icon = canvas.toDataURL("image/png");
        var link = document.querySelector("link[rel=icon]");
        link.href = icon;
        link.type = "image/png";
    }

    // ---- For the end-to-end test and the benchmark --------------------------

    function base64(bytes) {
        var text = "";
        for (var i = 0; i < bytes.length; i += 0x8000)
            text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
        return btoa(text);
    }

    var test = {
        // Milliseconds from the page's navigation to the main window's first paint.
        firstBoard: 0,
        // Counts from now: the main window's paints, and the display's
        // frames (animation frames) until stopCounting.
        startCounting: function () {
            var counted = {start: performance.now(), frames: 0, lastPaint: 0, idleAt: 0, ticks: []};
            counting = counted;
            requestAnimationFrame(function tick(now) {
                if (counting !== counted)
                    return;
                counted.ticks.push(now);
                requestAnimationFrame(tick);
            });
        },
        // Since startCounting: the main window's paints, the time until the
        // program waited again, until its last paint, and the display's
        // frames until the program waited.
        stopCounting: function () {
            var counted = counting;
            counting = {start: 0, frames: 0, lastPaint: 0, idleAt: 0, ticks: []};
            return {frames: counted.frames, milliseconds: counted.idleAt - counted.start,
                    untilDrawn: counted.lastPaint ? counted.lastPaint - counted.start : 0,
                    displayFrames: counted.ticks.filter(function (time) {
                        return time <= counted.idleAt;
                    }).length};
        },
        // Animation frames a second, counted over half a second.
        displayRate: function (done) {
            var frames = 0;
            var start = performance.now();
            function count(now) {
                ++frames;
                if (now - start < 500)
                    requestAnimationFrame(count);
                else
                    done(frames * 1000 / (now - start));
            }
            requestAnimationFrame(count);
        },
        // The program waits for input and nothing is queued for it.
        idle: function () {
            return idle && queue.length === 0;
        },
        // The main window's canvas, as RGBA.
        canvasPixels: function () {
            var main = (BlastgridPage.scene.windows || []).filter(function (view) {
                return view.main;
            })[0];
            var canvas = main && canvases[main.id];
            if (!canvas)
                return null;
            var data = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
            return {width: canvas.width, height: canvas.height, rgba: base64(new Uint8Array(data.buffer))};
        },
        // The window system's own rendering of the main window's client area.
        layerPixels: function () {
            var pointer = Module._BlastgridClientSnapshot();
            var width = Module._BlastgridSnapshotWidth();
            var height = Module._BlastgridSnapshotHeight();
            var rgba = Module.HEAPU8.subarray(pointer, pointer + width * height * 4);
            return {width: width, height: height, rgba: base64(rgba)};
        }
    };

    return {
        start: start,
        metrics: metrics,
        takeEvent: takeEvent,
        nextEvent: nextEvent,
        nextFrame: nextFrame,
        setIdle: setIdle,
        measureText: measureText,
        showScene: showScene,
        paint: paint,
        setIcon: setIcon,
        scene: {windows: []},
        test: test
    };
})();

var Module = {
    preRun: [BlastgridPage.start],
    printErr: function (text) {
        console.error(text);
    },
    onAbort: function (what) {
        var page = document.getElementById("page");
        page.textContent = "";
        var note = document.createElement("div");
        note.className = "ended";
        note.textContent = "Blastgrid stopped: " + what;
        page.appendChild(note);
    }
};
