// Measures one run of the program (or of the floor) and prints "BENCH: <key> <value>" lines for
// bench/ui/run.sh: the wall-clock times of the first frame and of the first home rows, resident
// memory then and after loading `target` rows, and the frame times of a scroll through
// `scrollRows` rows. Loaded through ZIRRUP_UI_SCRIPT; run with QSG_RENDER_LOOP=basic so that
// frames are swapped on this thread.
import QtQuick 2.15
import QtQuick.Window 2.15

Item {
    id: bench

    property var root
    property int target: 5000
    property int scrollRows: 1200
    // Pixels a second: fast enough to finish quickly, slow enough that every row is drawn.
    property real scrollSpeed: 8000

    property var list: null
    property bool firstFrame: false
    property bool recording: false
    property real lastSwap: 0
    property var frames: []
    property int phase: 0 // 0: first rows, 1: loading, 2: settling, 3: scrolling
    property int lastCount: 0
    property real lastGrowth: 0
    property real loadStart: 0
    property int startIndex: 0

    function report(key, value) {
        console.warn("BENCH: " + key + " " + value)
    }

    function findItem(item, name) {
        if (!item)
            return null
        if (item.objectName === name)
            return item
        for (var i = 0; i < item.children.length; ++i) {
            var found = findItem(item.children[i], name)
            if (found)
                return found
        }
        return null
    }

    // Resident memory in KiB (needs QML_XHR_ALLOW_FILE_READ=1).
    function reportMemory(key, then) {
        var request = new XMLHttpRequest()
        request.onreadystatechange = function () {
            if (request.readyState !== XMLHttpRequest.DONE)
                return
            var match = /VmRSS:\s+(\d+)/.exec(request.responseText)
            report(key, match ? match[1] : "?")
            if (then)
                then()
        }
        request.open("GET", "file:///proc/self/status")
        request.send()
    }

    function percentile(sorted, p) {
        return sorted[Math.min(sorted.length - 1, Math.floor(sorted.length * p))]
    }

    function finish() {
        recording = false
        var endIndex = list.indexAt(10, list.contentY + 10)
        report("scrolled-rows", endIndex - startIndex)
        var sorted = frames.slice().sort(function (a, b) { return a - b })
        var over = sorted.filter(function (t) { return t > 25 }).length
        report("frames", sorted.length)
        if (sorted.length > 0) {
            report("frame-median", percentile(sorted, 0.5))
            report("frame-p95", percentile(sorted, 0.95))
            report("frame-p99", percentile(sorted, 0.99))
            report("frame-worst", sorted[sorted.length - 1])
            report("frames-over-25ms", over)
        }
        Qt.exit(0)
    }

    // Phase 0 ends at the first home rows: looked for at every frame (rows there at a swap were
    // drawn by it) and by the timer below.
    function checkFirstRows(now) {
        bench.list = bench.findItem(bench.root, "homeList")
        if (!bench.list || bench.list.count === 0)
            return
        bench.report("first-rows", now)
        bench.phase = 1
        bench.loadStart = now
        bench.lastGrowth = now
        bench.reportMemory("rss-start")
    }

    function frameDone() {
        var now = Date.now()
        if (!firstFrame) {
            firstFrame = true
            report("first-frame", now)
        }
        if (phase === 0)
            checkFirstRows(now)
        if (recording)
            frames.push(now - lastSwap)
        lastSwap = now
    }

    onRootChanged: {
        if (!root)
            return
        // A child of the scene, so that it knows its window.
        parent = root
        bench.Window.window.frameSwapped.connect(frameDone)
    }

    Timer {
        interval: 20
        repeat: true
        running: bench.root !== undefined && bench.phase < 3
        onTriggered: {
            var now = Date.now()
            if (bench.phase === 0) {
                bench.checkFirstRows(now)
            } else if (bench.phase === 1) {
                var count = bench.list.count
                var stalled = now - bench.lastGrowth
                if (count >= bench.target || stalled > 30000) {
                    bench.report("loaded-rows", count)
                    bench.report("load-ms", now - bench.loadStart)
                    bench.phase = 2
                    bench.list.positionViewAtBeginning()
                    bench.reportMemory("rss-loaded", function () { settle.start() })
                } else if (count !== bench.lastCount || stalled > 2000) {
                    // The end of the list asks for the next page.
                    if (count !== bench.lastCount)
                        bench.lastGrowth = now
                    bench.lastCount = count
                    bench.list.positionViewAtEnd()
                }
            }
        }
    }

    Timer {
        id: settle
        interval: 1000
        onTriggered: {
            var list = bench.list
            bench.startIndex = list.indexAt(10, list.contentY + 10)
            var rowHeight = list.contentHeight / Math.max(1, list.count)
            var distance = Math.min(bench.scrollRows * rowHeight,
                                    list.contentHeight - list.height - (list.contentY - list.originY))
            scroll.from = list.contentY
            scroll.to = list.contentY + distance
            scroll.duration = distance / bench.scrollSpeed * 1000
            bench.phase = 3
            bench.lastSwap = Date.now()
            bench.recording = true
            scroll.start()
        }
    }

    NumberAnimation {
        id: scroll
        target: bench.list
        property: "contentY"
        onFinished: bench.finish()
    }
}
