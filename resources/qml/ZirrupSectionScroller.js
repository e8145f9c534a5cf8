.pragma library

// The sections of a list: one entry {index, value} for every row whose section value differs from
// the row before it (the first row always starts one).
function buildSections(model, property) {
    var sections = [];
    if (!model || !property)
        return sections;
    var count = model.count;
    var previous;
    for (var i = 0; i < count; ++i) {
        var row = model.get(i);
        var value = row ? row[property] : undefined;
        if (i === 0 || value !== previous)
            sections.push({ "index": i, "value": value });
        previous = value;
    }
    return sections;
}

// Which of the sections (0-based) a finger at y on a strip of the given height points at. The strip
// is cut into equal parts, one per section; -1 when there are none.
function sectionAt(sections, y, height) {
    var n = sections.length;
    if (n === 0 || height <= 0)
        return -1;
    var k = Math.ceil(n * y / height);
    return Math.max(1, Math.min(n, k)) - 1;
}
