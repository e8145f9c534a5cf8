// The engine of ZirrupPageStack: the containers of the pages on the stack, bottom first, and the
// components loaded from page URLs. Not a library: every stack has its own, and it reaches the
// stack through the ids `root` and `containerComponent` of ZirrupPageStack.qml.

var pageStack = [];
var componentCache = {};

var sameInstanceError = "Cannot navigate so that the resulting page stack has two consecutive entries of the same page instance.";

function getDepth() {
    return pageStack.length;
}

function top() {
    return pageStack.length > 0 ? pageStack[pageStack.length - 1] : null;
}

function updateState() {
    root.depth = pageStack.length;
    var container = top();
    root.currentPage = container ? container.page : null;
}

function setTools(container, transition) {
    if (root.toolBar)
        root.toolBar.setTools(container ? container.page.tools : null, transition);
}

// A page is a component, a URL (string or url) or an item; pages given as an item are handed back
// to their former parent when they leave the stack.
function isItem(page) {
    return page !== null && typeof page === "object" && page.createObject === undefined
            && page.parent !== undefined;
}

function component(page) {
    if (page !== null && typeof page === "object" && page.createObject !== undefined)
        return page;
    var url = root.resolve(String(page));
    var cached = componentCache[url];
    if (!cached) {
        cached = Qt.createComponent(url);
        if (cached.status === Component.Error) {
            var message = "Error while loading page: " + cached.errorString();
            cached.destroy();
            throw new Error(message);
        }
        componentCache[url] = cached;
    }
    return cached;
}

function initPage(page, properties) {
    var comp = isItem(page) ? null : component(page);
    var container = containerComponent.createObject(root);
    if (comp) {
        var created = comp.createObject(container, properties || {});
        if (!created) {
            container.destroy();
            throw new Error("Error while loading page: " + comp.errorString());
        }
        container.page = created;
        container.owner = null;
        container.ownsPage = true;
    } else {
        container.owner = page.parent;
        container.ownsPage = false;
        page.parent = container;
        if (properties) {
            for (var name in properties)
                page[name] = properties[name];
        }
        container.page = page;
    }
    if (container.page.pageStack !== undefined)
        container.page.pageStack = root;
    container.state = "hidden";
    return container;
}

// Splits what push() and replace() accept into a list of {page, properties}.
function entries(page, properties) {
    var list = [];
    if (page instanceof Array) {
        for (var i = 0; i < page.length; ++i) {
            var p = page[i];
            if (p && p.page !== undefined && !isItem(p) && p.createObject === undefined)
                list.push({ "page": p.page, "properties": p.properties });
            else
                list.push({ "page": p, "properties": properties instanceof Array ? properties[i] : undefined });
        }
    } else {
        list.push({ "page": page, "properties": properties });
    }
    return list;
}

function checkInstances(list, replace) {
    var below = pageStack.length - (replace ? 2 : 1);
    var previous = below >= 0 ? pageStack[below].page : null;
    for (var i = 0; i < list.length; ++i) {
        if (isItem(list[i].page)) {
            if (list[i].page === previous)
                throw new Error(sameInstanceError);
            previous = list[i].page;
        } else {
            previous = null;
        }
    }
}

function push(page, properties, replace, immediate) {
    var list = entries(page, properties);
    if (list.length === 0)
        return null;
    checkInstances(list, replace);

    var created = [];
    try {
        for (var i = 0; i < list.length; ++i)
            created.push(initPage(list[i].page, list[i].properties));
    } catch (e) {
        for (var j = 0; j < created.length; ++j)
            created[j].cleanup();
        throw e;
    }

    var oldContainer = top();
    if (replace && oldContainer)
        pageStack.pop();
    for (var k = 0; k < created.length; ++k)
        pageStack.push(created[k]);
    var container = created[created.length - 1];
    if (!oldContainer)
        immediate = true;
    updateState();
    setTools(container, replace ? "replace" : (oldContainer ? "push" : "set"));

    if (oldContainer) {
        if (replace)
            oldContainer.replaceExit(immediate);
        else
            oldContainer.pushExit(immediate);
    }
    container.pushEnter(immediate, replace);
    return container.page;
}

function pop(page, immediate) {
    if (pageStack.length <= 1)
        return null;
    var oldContainer = pageStack.pop();
    if (page !== undefined) {
        // Unwind to the page given, or to the bottom for null.
        while (pageStack.length > 1 && (page === null || top().page !== page))
            pageStack.pop().cleanup();
    }
    var container = top();
    updateState();
    setTools(container, "pop");
    oldContainer.popExit(immediate);
    container.popEnter(immediate);
    gc();
    return oldContainer.page;
}

function insert(index, page, properties) {
    if (index >= pageStack.length)
        return push(page, properties, false, true);
    var container = initPage(page, properties);
    pageStack.splice(Math.max(0, index), 0, container);
    updateState();
    return container.page;
}

function remove(index, howmany) {
    if (index < 0 || howmany <= 0 || pageStack.length <= index + howmany)
        return;
    var removed = pageStack.splice(index, howmany);
    for (var i = 0; i < removed.length; ++i)
        removed[i].cleanup();
    updateState();
}

function clear() {
    var all = pageStack;
    pageStack = [];
    for (var i = all.length - 1; i >= 0; --i)
        all[i].cleanup();
    updateState();
    setTools(null, "set");
}

function find(func) {
    for (var i = pageStack.length - 1; i >= 0; --i) {
        var page = pageStack[i].page;
        if (func(page))
            return page;
    }
    return null;
}
