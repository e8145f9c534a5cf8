<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="uk" sourcelanguage="en">
<context>
    <name></name>
    <message id="qtn_zirrup_add_command">
        <source>Add</source>
        <translation>Додати</translation>
    </message>
    <message id="qtn_zirrup_back_command">
        <source>Back</source>
        <translation>Назад</translation>
    </message>
    <message id="qtn_zirrup_block_command">
        <source>Block</source>
        <translation>Заблокувати</translation>
    </message>
    <message id="qtn_zirrup_cancel_command">
        <source>Cancel</source>
        <translation>Скасувати</translation>
    </message>
    <message id="qtn_zirrup_change_photo_command">
        <source>Change photo</source>
        <translation>Змінити фото</translation>
    </message>
    <message id="qtn_zirrup_compose_new">
        <source>Compose new</source>
        <translation>Написати</translation>
    </message>
    <message id="qtn_zirrup_delete_command">
        <source>Delete</source>
        <translation>Видалити</translation>
    </message>
    <message id="qtn_zirrup_delete_message_command">
        <source>Delete message</source>
        <translation>Видалити повідомлення</translation>
    </message>
    <message id="qtn_zirrup_delete_message_query">
        <source>Delete message?</source>
        <translation>Видалити повідомлення?</translation>
    </message>
    <message id="qtn_zirrup_delete_query">
        <source>Delete tweet?</source>
        <translation>Видалити твіт?</translation>
    </message>
    <message id="qtn_zirrup_discard_command">
        <source>Discard</source>
        <translation>Відкинути</translation>
    </message>
    <message id="qtn_zirrup_discard_message_query">
        <source>Discard this unsaved message?</source>
        <translation>Відкинути незбережене повідомлення?</translation>
    </message>
    <message id="qtn_zirrup_discard_message_query_info">
        <source>Your message will be lost</source>
        <translation>Повідомлення буде втрачено</translation>
    </message>
    <message id="qtn_zirrup_discard_tweet_query">
        <source>Discard this unsaved tweet?</source>
        <translation>Відкинути незбережений твіт?</translation>
    </message>
    <message id="qtn_zirrup_discard_tweet_query_info">
        <source>Your tweet will be lost</source>
        <translation>Твіт буде втрачено</translation>
    </message>
    <message id="qtn_zirrup_done_command">
        <source>Done</source>
        <translation>Готово</translation>
    </message>
    <message id="qtn_zirrup_error_change_blocked_status">
        <source>Unable to change blocked status.</source>
        <translation>Не вдалося змінити блокування.</translation>
    </message>
    <message id="qtn_zirrup_error_change_favorited_status">
        <source>Unable to change the favourite status.</source>
        <translation>Не вдалося змінити вибране.</translation>
    </message>
    <message id="qtn_zirrup_error_change_following_status">
        <source>Unable to change following status.</source>
        <translation>Не вдалося змінити підписку.</translation>
    </message>
    <message id="qtn_zirrup_error_change_profile_image">
        <source>Unable to change profile image.</source>
        <translation>Не вдалося змінити фото профілю.</translation>
    </message>
    <message id="qtn_zirrup_error_load_messages">
        <source>Unable to load messages.</source>
        <translation>Не вдалося завантажити повідомлення.</translation>
    </message>
    <message id="qtn_zirrup_error_load_profile">
        <source>Unable to load profile.</source>
        <translation>Не вдалося завантажити профіль.</translation>
    </message>
    <message id="qtn_zirrup_error_load_profiles">
        <source>Unable to load profiles.</source>
        <translation>Не вдалося завантажити профілі.</translation>
    </message>
    <message id="qtn_zirrup_error_load_saved_searches">
        <source>Unable to load saved searches.</source>
        <translation>Не вдалося завантажити збережені пошуки.</translation>
    </message>
    <message id="qtn_zirrup_error_load_trends">
        <source>Unable to load Trending Topic.</source>
        <translation>Не вдалося завантажити актуальні теми.</translation>
    </message>
    <message id="qtn_zirrup_error_no_position">
        <source>Your position is not available.</source>
        <translation>Ваше місцезнаходження недоступне.</translation>
    </message>
    <message id="qtn_zirrup_error_post_tweet">
        <source>Unable to post tweet.</source>
        <translation>Не вдалося опублікувати твіт.</translation>
    </message>
    <message id="qtn_zirrup_error_retrieve_tweets">
        <source>Unable to retrieve tweets.</source>
        <translation>Не вдалося отримати твіти.</translation>
    </message>
    <message id="qtn_zirrup_error_retweet">
        <source>Unable to retweet.</source>
        <translation>Не вдалося ретвітнути.</translation>
    </message>
    <message id="qtn_zirrup_error_save_search">
        <source>Unable to save search.</source>
        <translation>Не вдалося зберегти пошук.</translation>
    </message>
    <message id="qtn_zirrup_error_search">
        <source>Unable to perform search.</source>
        <translation>Не вдалося виконати пошук.</translation>
    </message>
    <message id="qtn_zirrup_error_send_message">
        <source>Unable to send message.</source>
        <translation>Не вдалося надіслати повідомлення.</translation>
    </message>
    <message id="qtn_zirrup_error_shorten_url">
        <source>Unable to shorten url.</source>
        <translation>Не вдалося скоротити посилання.</translation>
    </message>
    <message id="qtn_zirrup_favorite_command">
        <source>Favourite</source>
        <translation>До вибраного</translation>
    </message>
    <message id="qtn_zirrup_first_run_intro">
        <source>The best way to discover what&apos;s new in your world.</source>
        <translation>Найкращий спосіб дізнатися, що нового у вашому світі.</translation>
    </message>
    <message id="qtn_zirrup_first_run_sign_in">
        <source>Sign In</source>
        <translation>Увійти</translation>
    </message>
    <message id="qtn_zirrup_first_run_sign_up">
        <source>Sign Up</source>
        <translation>Зареєструватися</translation>
    </message>
    <message id="qtn_zirrup_first_run_trends">
        <source>Trending Topics</source>
        <translation>Актуальні теми</translation>
    </message>
    <message id="qtn_zirrup_follow_request">
        <source>Only confirmed followers have access to %1&apos;s tweets and complete profile. You need to send a request before you can start following this account.</source>
        <translation>Лише підтверджені читачі бачать твіти та повний профіль %1. Щоб читати цей обліковий запис, потрібно надіслати запит.</translation>
    </message>
    <message id="qtn_zirrup_follow_request_command">
        <source>Send request now</source>
        <translation>Надіслати запит</translation>
    </message>
    <message id="qtn_zirrup_follow_request_head">
        <source>%1&apos;s tweets are protected</source>
        <translation>Твіти %1 захищено</translation>
    </message>
    <message id="qtn_zirrup_home_command">
        <source>Home</source>
        <translation>Головна</translation>
    </message>
    <message id="qtn_zirrup_info_picture_being_prepared">
        <source>A picture is still being prepared. This tweet will be sent after it.</source>
        <translation>Фото ще готується. Цей твіт буде надіслано після нього.</translation>
    </message>
    <message id="qtn_zirrup_inreply_to">
        <source>In reply to %1</source>
        <translation>У відповідь %1</translation>
    </message>
    <message id="qtn_zirrup_mention_command">
        <source>Mention</source>
        <translation>Згадати</translation>
    </message>
    <message id="qtn_zirrup_mentions_tab">
        <source>Mentions</source>
        <translation>Згадки</translation>
    </message>
    <message id="qtn_zirrup_menu_command">
        <source>Menu</source>
        <translation>Меню</translation>
    </message>
    <message id="qtn_zirrup_message_command">
        <source>Direct message</source>
        <translation>Особисте повідомлення</translation>
    </message>
    <message id="qtn_zirrup_messages_tab">
        <source>Messages</source>
        <translation>Повідомлення</translation>
    </message>
    <message id="qtn_zirrup_more_account">
        <source>Account</source>
        <translation>Обліковий запис</translation>
    </message>
    <message id="qtn_zirrup_more_favorites">
        <source>Favourites</source>
        <translation>Вибране</translation>
    </message>
    <message id="qtn_zirrup_more_lists">
        <source>Lists</source>
        <translation>Списки</translation>
    </message>
    <message id="qtn_zirrup_more_profile">
        <source>Profile</source>
        <translation>Профіль</translation>
    </message>
    <message id="qtn_zirrup_more_retweets">
        <source>Retweets</source>
        <translation>Ретвіти</translation>
    </message>
    <message id="qtn_zirrup_more_tab">
        <source>More</source>
        <translation>Більше</translation>
    </message>
    <message id="qtn_zirrup_networkunavailable">
        <source>Network unavailable</source>
        <translation>Мережа недоступна</translation>
    </message>
    <message id="qtn_zirrup_next_command">
        <source>Next</source>
        <translation>Далі</translation>
    </message>
    <message id="qtn_zirrup_no_direct_messages">
        <source>No direct messages</source>
        <translation>Немає особистих повідомлень</translation>
    </message>
    <message id="qtn_zirrup_no_favorites">
        <source>No favourites</source>
        <translation>Немає вибраного</translation>
    </message>
    <message id="qtn_zirrup_no_followers">
        <source>No followers</source>
        <translation>Немає читачів</translation>
    </message>
    <message id="qtn_zirrup_no_followings">
        <source>No followings</source>
        <translation>Немає підписок</translation>
    </message>
    <message id="qtn_zirrup_no_mentions">
        <source>No mentions</source>
        <translation>Немає згадок</translation>
    </message>
    <message id="qtn_zirrup_no_people_results">
        <source>No people results for %1</source>
        <translation>Нікого не знайдено за запитом %1</translation>
    </message>
    <message id="qtn_zirrup_no_retweets">
        <source>No retweets</source>
        <translation>Немає ретвітів</translation>
    </message>
    <message id="qtn_zirrup_no_search_results">
        <source>No tweet results for %1</source>
        <translation>Немає твітів за запитом %1</translation>
    </message>
    <message id="qtn_zirrup_no_tweet_found">
        <source>No tweet found</source>
        <translation>Твіт не знайдено</translation>
    </message>
    <message id="qtn_zirrup_no_tweets">
        <source>No tweets</source>
        <translation>Немає твітів</translation>
    </message>
    <message id="qtn_zirrup_profile_bio">
        <source>Bio</source>
        <translation>Про себе</translation>
    </message>
    <message id="qtn_zirrup_profile_edit_command">
        <source>Edit</source>
        <translation>Змінити</translation>
    </message>
    <message id="qtn_zirrup_profile_follow">
        <source>Follow</source>
        <translation>Читати</translation>
    </message>
    <message id="qtn_zirrup_profile_follow_request">
        <source>Send follow request</source>
        <translation>Надіслати запит на читання</translation>
    </message>
    <message id="qtn_zirrup_profile_followers">
        <source>Followers</source>
        <translation>Читачі</translation>
    </message>
    <message id="qtn_zirrup_profile_following">
        <source>Following</source>
        <translation>Читає</translation>
    </message>
    <message id="qtn_zirrup_profile_listed">
        <source>Listed</source>
        <translation>У списках</translation>
    </message>
    <message id="qtn_zirrup_profile_location">
        <source>Location</source>
        <translation>Місцезнаходження</translation>
    </message>
    <message id="qtn_zirrup_profile_name">
        <source>Name</source>
        <translation>Ім’я</translation>
    </message>
    <message id="qtn_zirrup_profile_tweets">
        <source>Tweets</source>
        <translation>Твіти</translation>
    </message>
    <message id="qtn_zirrup_profile_unfollow">
        <source>Unfollow</source>
        <translation>Не читати</translation>
    </message>
    <message id="qtn_zirrup_profile_url">
        <source>Website</source>
        <translation>Сайт</translation>
    </message>
    <message id="qtn_zirrup_profile_user_blocked">
        <source>%1 is blocked</source>
        <translation>%1 заблоковано</translation>
    </message>
    <message id="qtn_zirrup_profile_user_following">
        <source>%1 is following you</source>
        <translation>%1 читає вас</translation>
    </message>
    <message id="qtn_zirrup_profile_user_not_following">
        <source>%1 is not following you</source>
        <translation>%1 не читає вас</translation>
    </message>
    <message id="qtn_zirrup_pull_down_refresh">
        <source>Pull down to refresh</source>
        <translation>Потягніть униз, щоб оновити</translation>
    </message>
    <message id="qtn_zirrup_refresh_command">
        <source>Refresh</source>
        <translation>Оновити</translation>
    </message>
    <message id="qtn_zirrup_refreshing_contents">
        <source>Refreshing...</source>
        <translation>Оновлення…</translation>
    </message>
    <message id="qtn_zirrup_reply_hint">
        <source>Reply…</source>
        <translation>Відповісти…</translation>
    </message>
    <message id="qtn_zirrup_reply_tweet_command">
        <source>Reply</source>
        <translation>Відповісти</translation>
    </message>
    <message id="qtn_zirrup_retweet_by">
        <source>by %1</source>
        <translation>ретвітнув(ла) %1</translation>
    </message>
    <message id="qtn_zirrup_retweet_command">
        <source>Retweet</source>
        <translation>Ретвітнути</translation>
    </message>
    <message id="qtn_zirrup_save_command">
        <source>Save</source>
        <translation>Зберегти</translation>
    </message>
    <message id="qtn_zirrup_seach_topic_name_hint">
        <source>Search topic or name</source>
        <translation>Пошук теми або імені</translation>
    </message>
    <message id="qtn_zirrup_search_command">
        <source>Search</source>
        <translation>Пошук</translation>
    </message>
    <message id="qtn_zirrup_search_filter_all">
        <source>All Tweets</source>
        <translation>Усі твіти</translation>
    </message>
    <message id="qtn_zirrup_search_filter_geo">
        <source>Nearby</source>
        <translation>Поруч</translation>
    </message>
    <message id="qtn_zirrup_search_filter_people">
        <source>People</source>
        <translation>Люди</translation>
    </message>
    <message id="qtn_zirrup_search_filter_timeline">
        <source>Timeline</source>
        <translation>Стрічка</translation>
    </message>
    <message id="qtn_zirrup_search_saved_head">
        <source>Saved Searches</source>
        <translation>Збережені пошуки</translation>
    </message>
    <message id="qtn_zirrup_search_users_hint">
        <source>Search users</source>
        <translation>Пошук користувачів</translation>
    </message>
    <message id="qtn_zirrup_search_zirrup_hint">
        <source>Search Zirrup</source>
        <translation>Пошук у Zirrup</translation>
    </message>
    <message id="qtn_zirrup_send_command">
        <source>Send</source>
        <translation>Надіслати</translation>
    </message>
    <message id="qtn_zirrup_tweet_command">
        <source>Tweet</source>
        <translation>Твітнути</translation>
    </message>
    <message id="qtn_zirrup_tweet_location">
        <source>from %1</source>
        <translation>місце: %1</translation>
    </message>
    <message id="qtn_zirrup_tweet_retweet">
        <source>retweeted by %1</source>
        <translation>ретвітнув(ла) %1</translation>
    </message>
    <message id="qtn_zirrup_tweet_row_accessible">
        <source>%1: %2, %3</source>
        <translation>%1: %2, %3</translation>
    </message>
    <message id="qtn_zirrup_unblock_command">
        <source>Unblock</source>
        <translation>Розблокувати</translation>
    </message>
    <message id="qtn_zirrup_undo_retweet_command">
        <source>Undo retweet</source>
        <translation>Скасувати ретвіт</translation>
    </message>
    <message id="qtn_zirrup_unfavorite_command">
        <source>Unfavourite</source>
        <translation>Прибрати з вибраного</translation>
    </message>
    <message id="qtn_zirrup_unread_accessible">
        <source>%1, unread</source>
        <translation>%1, не прочитано</translation>
    </message>
</context>
</TS>
