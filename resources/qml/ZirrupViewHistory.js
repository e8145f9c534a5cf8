// The pages the user went through, oldest first. Each entry remembers the page's file and the
// controller's current-item properties at the moment it was opened, so that "back" can give a page
// its subject again.

var entries = [];

function push(view, username, tweetId, listId, listName, eventPage, searchString) {
    entries.push({
        "view": view,
        "username": username,
        "tweetid": tweetId,
        "listid": listId,
        "listname": listName,
        "eventpage": eventPage,
        "searchstring": searchString
    });
}

function pop() {
    return entries.pop();
}

function count() {
    return entries.length;
}

function clear() {
    entries = [];
}

// Keeps only the first entry, the page at the bottom of the stack.
function clearToBeginning() {
    if (entries.length > 1)
        entries.splice(1, entries.length - 1);
}

function field(i, key) {
    return (i >= 0 && i < entries.length) ? entries[i][key] : undefined;
}

function viewName(i) { return field(i, "view"); }
function username(i) { return field(i, "username"); }
function tweetId(i) { return field(i, "tweetid"); }
function listId(i) { return field(i, "listid"); }
function listName(i) { return field(i, "listname"); }
function eventPage(i) { return field(i, "eventpage"); }
function searchString(i) { return field(i, "searchstring"); }
