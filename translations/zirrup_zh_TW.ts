<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="en">
<context>
    <name></name>
    <message id="qtn_zirrup_add_command">
        <source>Add</source>
        <translation>新增</translation>
    </message>
    <message id="qtn_zirrup_back_command">
        <source>Back</source>
        <translation>返回</translation>
    </message>
    <message id="qtn_zirrup_block_command">
        <source>Block</source>
        <translation>封鎖</translation>
    </message>
    <message id="qtn_zirrup_cancel_command">
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message id="qtn_zirrup_change_photo_command">
        <source>Change photo</source>
        <translation>更換相片</translation>
    </message>
    <message id="qtn_zirrup_compose_new">
        <source>Compose new</source>
        <translation>撰寫</translation>
    </message>
    <message id="qtn_zirrup_delete_command">
        <source>Delete</source>
        <translation>刪除</translation>
    </message>
    <message id="qtn_zirrup_delete_message_command">
        <source>Delete message</source>
        <translation>刪除訊息</translation>
    </message>
    <message id="qtn_zirrup_delete_message_query">
        <source>Delete message?</source>
        <translation>要刪除訊息嗎？</translation>
    </message>
    <message id="qtn_zirrup_delete_query">
        <source>Delete tweet?</source>
        <translation>要刪除推文嗎？</translation>
    </message>
    <message id="qtn_zirrup_discard_command">
        <source>Discard</source>
        <translation>捨棄</translation>
    </message>
    <message id="qtn_zirrup_discard_message_query">
        <source>Discard this unsaved message?</source>
        <translation>要捨棄這則未儲存的訊息嗎？</translation>
    </message>
    <message id="qtn_zirrup_discard_message_query_info">
        <source>Your message will be lost</source>
        <translation>你的訊息將會遺失</translation>
    </message>
    <message id="qtn_zirrup_discard_tweet_query">
        <source>Discard this unsaved tweet?</source>
        <translation>要捨棄這則未儲存的推文嗎？</translation>
    </message>
    <message id="qtn_zirrup_discard_tweet_query_info">
        <source>Your tweet will be lost</source>
        <translation>你的推文將會遺失</translation>
    </message>
    <message id="qtn_zirrup_done_command">
        <source>Done</source>
        <translation>完成</translation>
    </message>
    <message id="qtn_zirrup_error_change_blocked_status">
        <source>Unable to change blocked status.</source>
        <translation>無法變更封鎖狀態。</translation>
    </message>
    <message id="qtn_zirrup_error_change_favorited_status">
        <source>Unable to change the favourite status.</source>
        <translation>無法變更最愛狀態。</translation>
    </message>
    <message id="qtn_zirrup_error_change_following_status">
        <source>Unable to change following status.</source>
        <translation>無法變更跟隨狀態。</translation>
    </message>
    <message id="qtn_zirrup_error_change_profile_image">
        <source>Unable to change profile image.</source>
        <translation>無法變更個人資料相片。</translation>
    </message>
    <message id="qtn_zirrup_error_load_messages">
        <source>Unable to load messages.</source>
        <translation>無法載入訊息。</translation>
    </message>
    <message id="qtn_zirrup_error_load_profile">
        <source>Unable to load profile.</source>
        <translation>無法載入個人資料。</translation>
    </message>
    <message id="qtn_zirrup_error_load_profiles">
        <source>Unable to load profiles.</source>
        <translation>無法載入個人資料。</translation>
    </message>
    <message id="qtn_zirrup_error_load_saved_searches">
        <source>Unable to load saved searches.</source>
        <translation>無法載入已儲存的搜尋。</translation>
    </message>
    <message id="qtn_zirrup_error_load_trends">
        <source>Unable to load Trending Topic.</source>
        <translation>無法載入熱門話題。</translation>
    </message>
    <message id="qtn_zirrup_error_no_position">
        <source>Your position is not available.</source>
        <translation>無法取得你的位置。</translation>
    </message>
    <message id="qtn_zirrup_error_post_tweet">
        <source>Unable to post tweet.</source>
        <translation>無法發佈推文。</translation>
    </message>
    <message id="qtn_zirrup_error_retrieve_tweets">
        <source>Unable to retrieve tweets.</source>
        <translation>無法取得推文。</translation>
    </message>
    <message id="qtn_zirrup_error_retweet">
        <source>Unable to retweet.</source>
        <translation>無法轉推。</translation>
    </message>
    <message id="qtn_zirrup_error_save_search">
        <source>Unable to save search.</source>
        <translation>無法儲存搜尋。</translation>
    </message>
    <message id="qtn_zirrup_error_search">
        <source>Unable to perform search.</source>
        <translation>無法執行搜尋。</translation>
    </message>
    <message id="qtn_zirrup_error_send_message">
        <source>Unable to send message.</source>
        <translation>無法傳送訊息。</translation>
    </message>
    <message id="qtn_zirrup_error_shorten_url">
        <source>Unable to shorten url.</source>
        <translation>無法縮短網址。</translation>
    </message>
    <message id="qtn_zirrup_favorite_command">
        <source>Favourite</source>
        <translation>加入最愛</translation>
    </message>
    <message id="qtn_zirrup_first_run_intro">
        <source>The best way to discover what&apos;s new in your world.</source>
        <translation>探索你的世界最新動態的最佳方式。</translation>
    </message>
    <message id="qtn_zirrup_first_run_sign_in">
        <source>Sign In</source>
        <translation>登入</translation>
    </message>
    <message id="qtn_zirrup_first_run_sign_up">
        <source>Sign Up</source>
        <translation>註冊</translation>
    </message>
    <message id="qtn_zirrup_first_run_trends">
        <source>Trending Topics</source>
        <translation>熱門話題</translation>
    </message>
    <message id="qtn_zirrup_follow_request">
        <source>Only confirmed followers have access to %1&apos;s tweets and complete profile. You need to send a request before you can start following this account.</source>
        <translation>只有經過確認的跟隨者才能查看 %1 的推文和完整個人資料。你必須先傳送要求，才能開始跟隨此帳號。</translation>
    </message>
    <message id="qtn_zirrup_follow_request_command">
        <source>Send request now</source>
        <translation>立即傳送要求</translation>
    </message>
    <message id="qtn_zirrup_follow_request_head">
        <source>%1&apos;s tweets are protected</source>
        <translation>%1 的推文受到保護</translation>
    </message>
    <message id="qtn_zirrup_home_command">
        <source>Home</source>
        <translation>首頁</translation>
    </message>
    <message id="qtn_zirrup_info_picture_being_prepared">
        <source>A picture is still being prepared. This tweet will be sent after it.</source>
        <translation>仍在準備一張相片，這則推文會在它之後送出。</translation>
    </message>
    <message id="qtn_zirrup_inreply_to">
        <source>In reply to %1</source>
        <translation>回覆 %1</translation>
    </message>
    <message id="qtn_zirrup_mention_command">
        <source>Mention</source>
        <translation>提及</translation>
    </message>
    <message id="qtn_zirrup_mentions_tab">
        <source>Mentions</source>
        <translation>提及</translation>
    </message>
    <message id="qtn_zirrup_menu_command">
        <source>Menu</source>
        <translation>選單</translation>
    </message>
    <message id="qtn_zirrup_message_command">
        <source>Direct message</source>
        <translation>私訊</translation>
    </message>
    <message id="qtn_zirrup_messages_tab">
        <source>Messages</source>
        <translation>訊息</translation>
    </message>
    <message id="qtn_zirrup_more_account">
        <source>Account</source>
        <translation>帳號</translation>
    </message>
    <message id="qtn_zirrup_more_favorites">
        <source>Favourites</source>
        <translation>最愛</translation>
    </message>
    <message id="qtn_zirrup_more_lists">
        <source>Lists</source>
        <translation>列表</translation>
    </message>
    <message id="qtn_zirrup_more_profile">
        <source>Profile</source>
        <translation>個人資料</translation>
    </message>
    <message id="qtn_zirrup_more_retweets">
        <source>Retweets</source>
        <translation>轉推</translation>
    </message>
    <message id="qtn_zirrup_more_tab">
        <source>More</source>
        <translation>更多</translation>
    </message>
    <message id="qtn_zirrup_networkunavailable">
        <source>Network unavailable</source>
        <translation>無法使用網路</translation>
    </message>
    <message id="qtn_zirrup_next_command">
        <source>Next</source>
        <translation>下一步</translation>
    </message>
    <message id="qtn_zirrup_no_direct_messages">
        <source>No direct messages</source>
        <translation>沒有私訊</translation>
    </message>
    <message id="qtn_zirrup_no_favorites">
        <source>No favourites</source>
        <translation>沒有最愛</translation>
    </message>
    <message id="qtn_zirrup_no_followers">
        <source>No followers</source>
        <translation>沒有跟隨者</translation>
    </message>
    <message id="qtn_zirrup_no_followings">
        <source>No followings</source>
        <translation>沒有跟隨中的帳號</translation>
    </message>
    <message id="qtn_zirrup_no_mentions">
        <source>No mentions</source>
        <translation>沒有提及</translation>
    </message>
    <message id="qtn_zirrup_no_people_results">
        <source>No people results for %1</source>
        <translation>找不到與 %1 相符的使用者</translation>
    </message>
    <message id="qtn_zirrup_no_retweets">
        <source>No retweets</source>
        <translation>沒有轉推</translation>
    </message>
    <message id="qtn_zirrup_no_search_results">
        <source>No tweet results for %1</source>
        <translation>找不到與 %1 相符的推文</translation>
    </message>
    <message id="qtn_zirrup_no_tweet_found">
        <source>No tweet found</source>
        <translation>找不到推文</translation>
    </message>
    <message id="qtn_zirrup_no_tweets">
        <source>No tweets</source>
        <translation>沒有推文</translation>
    </message>
    <message id="qtn_zirrup_profile_bio">
        <source>Bio</source>
        <translation>簡介</translation>
    </message>
    <message id="qtn_zirrup_profile_edit_command">
        <source>Edit</source>
        <translation>編輯</translation>
    </message>
    <message id="qtn_zirrup_profile_follow">
        <source>Follow</source>
        <translation>跟隨</translation>
    </message>
    <message id="qtn_zirrup_profile_follow_request">
        <source>Send follow request</source>
        <translation>傳送跟隨要求</translation>
    </message>
    <message id="qtn_zirrup_profile_followers">
        <source>Followers</source>
        <translation>跟隨者</translation>
    </message>
    <message id="qtn_zirrup_profile_following">
        <source>Following</source>
        <translation>跟隨中</translation>
    </message>
    <message id="qtn_zirrup_profile_listed">
        <source>Listed</source>
        <translation>被列入</translation>
    </message>
    <message id="qtn_zirrup_profile_location">
        <source>Location</source>
        <translation>位置</translation>
    </message>
    <message id="qtn_zirrup_profile_name">
        <source>Name</source>
        <translation>名稱</translation>
    </message>
    <message id="qtn_zirrup_profile_tweets">
        <source>Tweets</source>
        <translation>推文</translation>
    </message>
    <message id="qtn_zirrup_profile_unfollow">
        <source>Unfollow</source>
        <translation>取消跟隨</translation>
    </message>
    <message id="qtn_zirrup_profile_url">
        <source>Website</source>
        <translation>網站</translation>
    </message>
    <message id="qtn_zirrup_profile_user_blocked">
        <source>%1 is blocked</source>
        <translation>已封鎖 %1</translation>
    </message>
    <message id="qtn_zirrup_profile_user_following">
        <source>%1 is following you</source>
        <translation>%1 正在跟隨你</translation>
    </message>
    <message id="qtn_zirrup_profile_user_not_following">
        <source>%1 is not following you</source>
        <translation>%1 沒有跟隨你</translation>
    </message>
    <message id="qtn_zirrup_pull_down_refresh">
        <source>Pull down to refresh</source>
        <translation>下拉即可重新整理</translation>
    </message>
    <message id="qtn_zirrup_refresh_command">
        <source>Refresh</source>
        <translation>重新整理</translation>
    </message>
    <message id="qtn_zirrup_refreshing_contents">
        <source>Refreshing...</source>
        <translation>正在重新整理…</translation>
    </message>
    <message id="qtn_zirrup_reply_hint">
        <source>Reply…</source>
        <translation>回覆…</translation>
    </message>
    <message id="qtn_zirrup_reply_tweet_command">
        <source>Reply</source>
        <translation>回覆</translation>
    </message>
    <message id="qtn_zirrup_retweet_by">
        <source>by %1</source>
        <translation>由 %1</translation>
    </message>
    <message id="qtn_zirrup_retweet_command">
        <source>Retweet</source>
        <translation>轉推</translation>
    </message>
    <message id="qtn_zirrup_save_command">
        <source>Save</source>
        <translation>儲存</translation>
    </message>
    <message id="qtn_zirrup_seach_topic_name_hint">
        <source>Search topic or name</source>
        <translation>搜尋話題或名稱</translation>
    </message>
    <message id="qtn_zirrup_search_command">
        <source>Search</source>
        <translation>搜尋</translation>
    </message>
    <message id="qtn_zirrup_search_filter_all">
        <source>All Tweets</source>
        <translation>所有推文</translation>
    </message>
    <message id="qtn_zirrup_search_filter_geo">
        <source>Nearby</source>
        <translation>附近</translation>
    </message>
    <message id="qtn_zirrup_search_filter_people">
        <source>People</source>
        <translation>使用者</translation>
    </message>
    <message id="qtn_zirrup_search_filter_timeline">
        <source>Timeline</source>
        <translation>時間軸</translation>
    </message>
    <message id="qtn_zirrup_search_saved_head">
        <source>Saved Searches</source>
        <translation>已儲存的搜尋</translation>
    </message>
    <message id="qtn_zirrup_search_users_hint">
        <source>Search users</source>
        <translation>搜尋使用者</translation>
    </message>
    <message id="qtn_zirrup_search_zirrup_hint">
        <source>Search Zirrup</source>
        <translation>搜尋 Zirrup</translation>
    </message>
    <message id="qtn_zirrup_send_command">
        <source>Send</source>
        <translation>傳送</translation>
    </message>
    <message id="qtn_zirrup_tweet_command">
        <source>Tweet</source>
        <translation>推文</translation>
    </message>
    <message id="qtn_zirrup_tweet_location">
        <source>from %1</source>
        <translation>來自 %1</translation>
    </message>
    <message id="qtn_zirrup_tweet_retweet">
        <source>retweeted by %1</source>
        <translation>由 %1 轉推</translation>
    </message>
    <message id="qtn_zirrup_tweet_row_accessible">
        <source>%1: %2, %3</source>
        <translation>%1：%2，%3</translation>
    </message>
    <message id="qtn_zirrup_unblock_command">
        <source>Unblock</source>
        <translation>解除封鎖</translation>
    </message>
    <message id="qtn_zirrup_undo_retweet_command">
        <source>Undo retweet</source>
        <translation>取消轉推</translation>
    </message>
    <message id="qtn_zirrup_unfavorite_command">
        <source>Unfavourite</source>
        <translation>從最愛移除</translation>
    </message>
    <message id="qtn_zirrup_unread_accessible">
        <source>%1, unread</source>
        <translation>%1，未讀</translation>
    </message>
</context>
</TS>
