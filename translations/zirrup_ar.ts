<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ar" sourcelanguage="en">
<context>
    <name></name>
    <message id="qtn_zirrup_add_command">
        <source>Add</source>
        <translation>إضافة</translation>
    </message>
    <message id="qtn_zirrup_back_command">
        <source>Back</source>
        <translation>رجوع</translation>
    </message>
    <message id="qtn_zirrup_block_command">
        <source>Block</source>
        <translation>حظر</translation>
    </message>
    <message id="qtn_zirrup_cancel_command">
        <source>Cancel</source>
        <translation>إلغاء</translation>
    </message>
    <message id="qtn_zirrup_change_photo_command">
        <source>Change photo</source>
        <translation>تغيير الصورة</translation>
    </message>
    <message id="qtn_zirrup_compose_new">
        <source>Compose new</source>
        <translation>إنشاء جديد</translation>
    </message>
    <message id="qtn_zirrup_delete_command">
        <source>Delete</source>
        <translation>حذف</translation>
    </message>
    <message id="qtn_zirrup_delete_message_command">
        <source>Delete message</source>
        <translation>حذف الرسالة</translation>
    </message>
    <message id="qtn_zirrup_delete_message_query">
        <source>Delete message?</source>
        <translation>هل تريد حذف الرسالة؟</translation>
    </message>
    <message id="qtn_zirrup_delete_query">
        <source>Delete tweet?</source>
        <translation>هل تريد حذف التغريدة؟</translation>
    </message>
    <message id="qtn_zirrup_discard_command">
        <source>Discard</source>
        <translation>تجاهل</translation>
    </message>
    <message id="qtn_zirrup_discard_message_query">
        <source>Discard this unsaved message?</source>
        <translation>هل تريد تجاهل هذه الرسالة غير المحفوظة؟</translation>
    </message>
    <message id="qtn_zirrup_discard_message_query_info">
        <source>Your message will be lost</source>
        <translation>ستفقد رسالتك</translation>
    </message>
    <message id="qtn_zirrup_discard_tweet_query">
        <source>Discard this unsaved tweet?</source>
        <translation>هل تريد تجاهل هذه التغريدة غير المحفوظة؟</translation>
    </message>
    <message id="qtn_zirrup_discard_tweet_query_info">
        <source>Your tweet will be lost</source>
        <translation>ستفقد تغريدتك</translation>
    </message>
    <message id="qtn_zirrup_done_command">
        <source>Done</source>
        <translation>تم</translation>
    </message>
    <message id="qtn_zirrup_error_change_blocked_status">
        <source>Unable to change blocked status.</source>
        <translation>تعذّر تغيير حالة الحظر.</translation>
    </message>
    <message id="qtn_zirrup_error_change_favorited_status">
        <source>Unable to change the favourite status.</source>
        <translation>تعذّر تغيير حالة التفضيل.</translation>
    </message>
    <message id="qtn_zirrup_error_change_following_status">
        <source>Unable to change following status.</source>
        <translation>تعذّر تغيير حالة المتابعة.</translation>
    </message>
    <message id="qtn_zirrup_error_change_profile_image">
        <source>Unable to change profile image.</source>
        <translation>تعذّر تغيير صورة الملف الشخصي.</translation>
    </message>
    <message id="qtn_zirrup_error_load_messages">
        <source>Unable to load messages.</source>
        <translation>تعذّر تحميل الرسائل.</translation>
    </message>
    <message id="qtn_zirrup_error_load_profile">
        <source>Unable to load profile.</source>
        <translation>تعذّر تحميل الملف الشخصي.</translation>
    </message>
    <message id="qtn_zirrup_error_load_profiles">
        <source>Unable to load profiles.</source>
        <translation>تعذّر تحميل الملفات الشخصية.</translation>
    </message>
    <message id="qtn_zirrup_error_load_saved_searches">
        <source>Unable to load saved searches.</source>
        <translation>تعذّر تحميل عمليات البحث المحفوظة.</translation>
    </message>
    <message id="qtn_zirrup_error_load_trends">
        <source>Unable to load Trending Topic.</source>
        <translation>تعذّر تحميل الموضوعات الرائجة.</translation>
    </message>
    <message id="qtn_zirrup_error_no_position">
        <source>Your position is not available.</source>
        <translation>موقعك غير متاح.</translation>
    </message>
    <message id="qtn_zirrup_error_post_tweet">
        <source>Unable to post tweet.</source>
        <translation>تعذّر نشر التغريدة.</translation>
    </message>
    <message id="qtn_zirrup_error_retrieve_tweets">
        <source>Unable to retrieve tweets.</source>
        <translation>تعذّر جلب التغريدات.</translation>
    </message>
    <message id="qtn_zirrup_error_retweet">
        <source>Unable to retweet.</source>
        <translation>تعذّرت إعادة التغريد.</translation>
    </message>
    <message id="qtn_zirrup_error_save_search">
        <source>Unable to save search.</source>
        <translation>تعذّر حفظ البحث.</translation>
    </message>
    <message id="qtn_zirrup_error_search">
        <source>Unable to perform search.</source>
        <translation>تعذّر إجراء البحث.</translation>
    </message>
    <message id="qtn_zirrup_error_send_message">
        <source>Unable to send message.</source>
        <translation>تعذّر إرسال الرسالة.</translation>
    </message>
    <message id="qtn_zirrup_error_shorten_url">
        <source>Unable to shorten url.</source>
        <translation>تعذّر اختصار الرابط.</translation>
    </message>
    <message id="qtn_zirrup_favorite_command">
        <source>Favourite</source>
        <translation>تفضيل</translation>
    </message>
    <message id="qtn_zirrup_first_run_intro">
        <source>The best way to discover what&apos;s new in your world.</source>
        <translation>أفضل طريقة لاكتشاف الجديد في عالمك.</translation>
    </message>
    <message id="qtn_zirrup_first_run_sign_in">
        <source>Sign In</source>
        <translation>تسجيل الدخول</translation>
    </message>
    <message id="qtn_zirrup_first_run_sign_up">
        <source>Sign Up</source>
        <translation>إنشاء حساب</translation>
    </message>
    <message id="qtn_zirrup_first_run_trends">
        <source>Trending Topics</source>
        <translation>الموضوعات الرائجة</translation>
    </message>
    <message id="qtn_zirrup_follow_request">
        <source>Only confirmed followers have access to %1&apos;s tweets and complete profile. You need to send a request before you can start following this account.</source>
        <translation>لا يطّلع على تغريدات %1 وملفه الشخصي الكامل إلا المتابعون المؤكَّدون. عليك إرسال طلب قبل أن تتمكن من متابعة هذا الحساب.</translation>
    </message>
    <message id="qtn_zirrup_follow_request_command">
        <source>Send request now</source>
        <translation>إرسال الطلب الآن</translation>
    </message>
    <message id="qtn_zirrup_follow_request_head">
        <source>%1&apos;s tweets are protected</source>
        <translation>تغريدات %1 محمية</translation>
    </message>
    <message id="qtn_zirrup_home_command">
        <source>Home</source>
        <translation>الرئيسية</translation>
    </message>
    <message id="qtn_zirrup_info_picture_being_prepared">
        <source>A picture is still being prepared. This tweet will be sent after it.</source>
        <translation>لا تزال صورة قيد التحضير. ستُرسل هذه التغريدة بعدها.</translation>
    </message>
    <message id="qtn_zirrup_inreply_to">
        <source>In reply to %1</source>
        <translation>ردًا على %1</translation>
    </message>
    <message id="qtn_zirrup_mention_command">
        <source>Mention</source>
        <translation>إشارة</translation>
    </message>
    <message id="qtn_zirrup_mentions_tab">
        <source>Mentions</source>
        <translation>الإشارات</translation>
    </message>
    <message id="qtn_zirrup_menu_command">
        <source>Menu</source>
        <translation>القائمة</translation>
    </message>
    <message id="qtn_zirrup_message_command">
        <source>Direct message</source>
        <translation>رسالة مباشرة</translation>
    </message>
    <message id="qtn_zirrup_messages_tab">
        <source>Messages</source>
        <translation>الرسائل</translation>
    </message>
    <message id="qtn_zirrup_more_account">
        <source>Account</source>
        <translation>الحساب</translation>
    </message>
    <message id="qtn_zirrup_more_favorites">
        <source>Favourites</source>
        <translation>المفضلة</translation>
    </message>
    <message id="qtn_zirrup_more_lists">
        <source>Lists</source>
        <translation>القوائم</translation>
    </message>
    <message id="qtn_zirrup_more_profile">
        <source>Profile</source>
        <translation>الملف الشخصي</translation>
    </message>
    <message id="qtn_zirrup_more_retweets">
        <source>Retweets</source>
        <translation>إعادات التغريد</translation>
    </message>
    <message id="qtn_zirrup_more_tab">
        <source>More</source>
        <translation>المزيد</translation>
    </message>
    <message id="qtn_zirrup_networkunavailable">
        <source>Network unavailable</source>
        <translation>الشبكة غير متاحة</translation>
    </message>
    <message id="qtn_zirrup_next_command">
        <source>Next</source>
        <translation>التالي</translation>
    </message>
    <message id="qtn_zirrup_no_direct_messages">
        <source>No direct messages</source>
        <translation>لا توجد رسائل مباشرة</translation>
    </message>
    <message id="qtn_zirrup_no_favorites">
        <source>No favourites</source>
        <translation>لا توجد مفضلات</translation>
    </message>
    <message id="qtn_zirrup_no_followers">
        <source>No followers</source>
        <translation>لا يوجد متابِعون</translation>
    </message>
    <message id="qtn_zirrup_no_followings">
        <source>No followings</source>
        <translation>لا يتابع أحدًا</translation>
    </message>
    <message id="qtn_zirrup_no_mentions">
        <source>No mentions</source>
        <translation>لا توجد إشارات</translation>
    </message>
    <message id="qtn_zirrup_no_people_results">
        <source>No people results for %1</source>
        <translation>لا يوجد أشخاص لـ %1</translation>
    </message>
    <message id="qtn_zirrup_no_retweets">
        <source>No retweets</source>
        <translation>لا توجد إعادات تغريد</translation>
    </message>
    <message id="qtn_zirrup_no_search_results">
        <source>No tweet results for %1</source>
        <translation>لا توجد تغريدات لـ %1</translation>
    </message>
    <message id="qtn_zirrup_no_tweet_found">
        <source>No tweet found</source>
        <translation>لم يُعثر على التغريدة</translation>
    </message>
    <message id="qtn_zirrup_no_tweets">
        <source>No tweets</source>
        <translation>لا توجد تغريدات</translation>
    </message>
    <message id="qtn_zirrup_profile_bio">
        <source>Bio</source>
        <translation>نبذة</translation>
    </message>
    <message id="qtn_zirrup_profile_edit_command">
        <source>Edit</source>
        <translation>تعديل</translation>
    </message>
    <message id="qtn_zirrup_profile_follow">
        <source>Follow</source>
        <translation>متابعة</translation>
    </message>
    <message id="qtn_zirrup_profile_follow_request">
        <source>Send follow request</source>
        <translation>إرسال طلب متابعة</translation>
    </message>
    <message id="qtn_zirrup_profile_followers">
        <source>Followers</source>
        <translation>المتابِعون</translation>
    </message>
    <message id="qtn_zirrup_profile_following">
        <source>Following</source>
        <translation>يتابع</translation>
    </message>
    <message id="qtn_zirrup_profile_listed">
        <source>Listed</source>
        <translation>مدرج في قوائم</translation>
    </message>
    <message id="qtn_zirrup_profile_location">
        <source>Location</source>
        <translation>الموقع</translation>
    </message>
    <message id="qtn_zirrup_profile_name">
        <source>Name</source>
        <translation>الاسم</translation>
    </message>
    <message id="qtn_zirrup_profile_tweets">
        <source>Tweets</source>
        <translation>التغريدات</translation>
    </message>
    <message id="qtn_zirrup_profile_unfollow">
        <source>Unfollow</source>
        <translation>إلغاء المتابعة</translation>
    </message>
    <message id="qtn_zirrup_profile_url">
        <source>Website</source>
        <translation>الموقع الإلكتروني</translation>
    </message>
    <message id="qtn_zirrup_profile_user_blocked">
        <source>%1 is blocked</source>
        <translation>%1 محظور</translation>
    </message>
    <message id="qtn_zirrup_profile_user_following">
        <source>%1 is following you</source>
        <translation>%1 يتابعك</translation>
    </message>
    <message id="qtn_zirrup_profile_user_not_following">
        <source>%1 is not following you</source>
        <translation>%1 لا يتابعك</translation>
    </message>
    <message id="qtn_zirrup_pull_down_refresh">
        <source>Pull down to refresh</source>
        <translation>اسحب للأسفل للتحديث</translation>
    </message>
    <message id="qtn_zirrup_refresh_command">
        <source>Refresh</source>
        <translation>تحديث</translation>
    </message>
    <message id="qtn_zirrup_refreshing_contents">
        <source>Refreshing...</source>
        <translation>جارٍ التحديث…</translation>
    </message>
    <message id="qtn_zirrup_reply_hint">
        <source>Reply…</source>
        <translation>رد…</translation>
    </message>
    <message id="qtn_zirrup_reply_tweet_command">
        <source>Reply</source>
        <translation>رد</translation>
    </message>
    <message id="qtn_zirrup_retweet_by">
        <source>by %1</source>
        <translation>بواسطة %1</translation>
    </message>
    <message id="qtn_zirrup_retweet_command">
        <source>Retweet</source>
        <translation>إعادة تغريد</translation>
    </message>
    <message id="qtn_zirrup_save_command">
        <source>Save</source>
        <translation>حفظ</translation>
    </message>
    <message id="qtn_zirrup_seach_topic_name_hint">
        <source>Search topic or name</source>
        <translation>ابحث عن موضوع أو اسم</translation>
    </message>
    <message id="qtn_zirrup_search_command">
        <source>Search</source>
        <translation>بحث</translation>
    </message>
    <message id="qtn_zirrup_search_filter_all">
        <source>All Tweets</source>
        <translation>كل التغريدات</translation>
    </message>
    <message id="qtn_zirrup_search_filter_geo">
        <source>Nearby</source>
        <translation>بالقرب منك</translation>
    </message>
    <message id="qtn_zirrup_search_filter_people">
        <source>People</source>
        <translation>أشخاص</translation>
    </message>
    <message id="qtn_zirrup_search_filter_timeline">
        <source>Timeline</source>
        <translation>الخط الزمني</translation>
    </message>
    <message id="qtn_zirrup_search_saved_head">
        <source>Saved Searches</source>
        <translation>عمليات البحث المحفوظة</translation>
    </message>
    <message id="qtn_zirrup_search_users_hint">
        <source>Search users</source>
        <translation>ابحث عن مستخدمين</translation>
    </message>
    <message id="qtn_zirrup_search_zirrup_hint">
        <source>Search Zirrup</source>
        <translation>ابحث في Zirrup</translation>
    </message>
    <message id="qtn_zirrup_send_command">
        <source>Send</source>
        <translation>إرسال</translation>
    </message>
    <message id="qtn_zirrup_tweet_command">
        <source>Tweet</source>
        <translation>غرّد</translation>
    </message>
    <message id="qtn_zirrup_tweet_location">
        <source>from %1</source>
        <translation>من %1</translation>
    </message>
    <message id="qtn_zirrup_tweet_retweet">
        <source>retweeted by %1</source>
        <translation>أعاد تغريدها %1</translation>
    </message>
    <message id="qtn_zirrup_tweet_row_accessible">
        <source>%1: %2, %3</source>
        <translation>%1: %2، %3</translation>
    </message>
    <message id="qtn_zirrup_unblock_command">
        <source>Unblock</source>
        <translation>إلغاء الحظر</translation>
    </message>
    <message id="qtn_zirrup_undo_retweet_command">
        <source>Undo retweet</source>
        <translation>التراجع عن إعادة التغريد</translation>
    </message>
    <message id="qtn_zirrup_unfavorite_command">
        <source>Unfavourite</source>
        <translation>إزالة من المفضلة</translation>
    </message>
    <message id="qtn_zirrup_unread_accessible">
        <source>%1, unread</source>
        <translation>%1، غير مقروءة</translation>
    </message>
</context>
</TS>
