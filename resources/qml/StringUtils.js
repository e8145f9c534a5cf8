.pragma library

// Text shown on one line: no backspace characters, no white space at the ends, and every run of
// line breaks turned into one space.
function reduceWhitespace(s) {
    if (s === undefined || s === null)
        return "";
    return String(s).replace(/\u0008/g, "").trim().replace(/[\r\n]+/g, " ");
}
