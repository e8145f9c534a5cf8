.pragma library

// A tweet row with every role the tweet models carry; extra overrides some of them.
function tweet(id, name, extra) {
    var row = {
        "desc": "text of " + id,
        "name": name,
        "place": "",
        "timestamp": "Sat Dec 05 10:11:12 2026",
        "section_timestamp": "A moment ago - \u20286 hours ago",
        "original_image_url": "",
        "image_url": "",
        "retweeted_name": "",
        "reply_status_id": "",
        "reply_name": "",
        "source": "web",
        "tweetid": id,
        "original_tweetid": id,
        "fullname": name,
        "favorited": false,
        "status_text": "text of " + id,
        "retweeted_by_me_id": "",
        "protected_profile": false
    };
    for (var key in extra)
        row[key] = extra[key];
    return row;
}

function fill(model, count, extra) {
    for (var i = 0; i < count; ++i)
        model.append(tweet(String(1000 - i), "user" + (i % 3), extra || {}));
}
