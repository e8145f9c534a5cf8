<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it" sourcelanguage="en">
<context>
    <name></name>
    <message id="qtn_zirrup_add_command">
        <source>Add</source>
        <translation>Aggiungi</translation>
    </message>
    <message id="qtn_zirrup_back_command">
        <source>Back</source>
        <translation>Indietro</translation>
    </message>
    <message id="qtn_zirrup_block_command">
        <source>Block</source>
        <translation>Blocca</translation>
    </message>
    <message id="qtn_zirrup_cancel_command">
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message id="qtn_zirrup_change_photo_command">
        <source>Change photo</source>
        <translation>Cambia foto</translation>
    </message>
    <message id="qtn_zirrup_compose_new">
        <source>Compose new</source>
        <translation>Nuovo</translation>
    </message>
    <message id="qtn_zirrup_delete_command">
        <source>Delete</source>
        <translation>Elimina</translation>
    </message>
    <message id="qtn_zirrup_delete_message_command">
        <source>Delete message</source>
        <translation>Elimina messaggio</translation>
    </message>
    <message id="qtn_zirrup_delete_message_query">
        <source>Delete message?</source>
        <translation>Eliminare il messaggio?</translation>
    </message>
    <message id="qtn_zirrup_delete_query">
        <source>Delete tweet?</source>
        <translation>Eliminare il tweet?</translation>
    </message>
    <message id="qtn_zirrup_discard_command">
        <source>Discard</source>
        <translation>Scarta</translation>
    </message>
    <message id="qtn_zirrup_discard_message_query">
        <source>Discard this unsaved message?</source>
        <translation>Scartare questo messaggio non salvato?</translation>
    </message>
    <message id="qtn_zirrup_discard_message_query_info">
        <source>Your message will be lost</source>
        <translation>Il messaggio andrà perso</translation>
    </message>
    <message id="qtn_zirrup_discard_tweet_query">
        <source>Discard this unsaved tweet?</source>
        <translation>Scartare questo tweet non salvato?</translation>
    </message>
    <message id="qtn_zirrup_discard_tweet_query_info">
        <source>Your tweet will be lost</source>
        <translation>Il tweet andrà perso</translation>
    </message>
    <message id="qtn_zirrup_done_command">
        <source>Done</source>
        <translation>Fine</translation>
    </message>
    <message id="qtn_zirrup_error_change_blocked_status">
        <source>Unable to change blocked status.</source>
        <translation>Impossibile modificare il blocco.</translation>
    </message>
    <message id="qtn_zirrup_error_change_favorited_status">
        <source>Unable to change the favourite status.</source>
        <translation>Impossibile modificare il preferito.</translation>
    </message>
    <message id="qtn_zirrup_error_change_following_status">
        <source>Unable to change following status.</source>
        <translation>Impossibile modificare il follow.</translation>
    </message>
    <message id="qtn_zirrup_error_change_profile_image">
        <source>Unable to change profile image.</source>
        <translation>Impossibile cambiare l’immagine del profilo.</translation>
    </message>
    <message id="qtn_zirrup_error_load_messages">
        <source>Unable to load messages.</source>
        <translation>Impossibile caricare i messaggi.</translation>
    </message>
    <message id="qtn_zirrup_error_load_profile">
        <source>Unable to load profile.</source>
        <translation>Impossibile caricare il profilo.</translation>
    </message>
    <message id="qtn_zirrup_error_load_profiles">
        <source>Unable to load profiles.</source>
        <translation>Impossibile caricare i profili.</translation>
    </message>
    <message id="qtn_zirrup_error_load_saved_searches">
        <source>Unable to load saved searches.</source>
        <translation>Impossibile caricare le ricerche salvate.</translation>
    </message>
    <message id="qtn_zirrup_error_load_trends">
        <source>Unable to load Trending Topic.</source>
        <translation>Impossibile caricare le tendenze.</translation>
    </message>
    <message id="qtn_zirrup_error_no_position">
        <source>Your position is not available.</source>
        <translation>La tua posizione non è disponibile.</translation>
    </message>
    <message id="qtn_zirrup_error_post_tweet">
        <source>Unable to post tweet.</source>
        <translation>Impossibile pubblicare il tweet.</translation>
    </message>
    <message id="qtn_zirrup_error_retrieve_tweets">
        <source>Unable to retrieve tweets.</source>
        <translation>Impossibile recuperare i tweet.</translation>
    </message>
    <message id="qtn_zirrup_error_retweet">
        <source>Unable to retweet.</source>
        <translation>Impossibile ritwittare.</translation>
    </message>
    <message id="qtn_zirrup_error_save_search">
        <source>Unable to save search.</source>
        <translation>Impossibile salvare la ricerca.</translation>
    </message>
    <message id="qtn_zirrup_error_search">
        <source>Unable to perform search.</source>
        <translation>Impossibile eseguire la ricerca.</translation>
    </message>
    <message id="qtn_zirrup_error_send_message">
        <source>Unable to send message.</source>
        <translation>Impossibile inviare il messaggio.</translation>
    </message>
    <message id="qtn_zirrup_error_shorten_url">
        <source>Unable to shorten url.</source>
        <translation>Impossibile abbreviare il link.</translation>
    </message>
    <message id="qtn_zirrup_favorite_command">
        <source>Favourite</source>
        <translation>Aggiungi ai preferiti</translation>
    </message>
    <message id="qtn_zirrup_first_run_intro">
        <source>The best way to discover what&apos;s new in your world.</source>
        <translation>Il modo migliore per scoprire le novità del tuo mondo.</translation>
    </message>
    <message id="qtn_zirrup_first_run_sign_in">
        <source>Sign In</source>
        <translation>Accedi</translation>
    </message>
    <message id="qtn_zirrup_first_run_sign_up">
        <source>Sign Up</source>
        <translation>Iscriviti</translation>
    </message>
    <message id="qtn_zirrup_first_run_trends">
        <source>Trending Topics</source>
        <translation>Tendenze</translation>
    </message>
    <message id="qtn_zirrup_follow_request">
        <source>Only confirmed followers have access to %1&apos;s tweets and complete profile. You need to send a request before you can start following this account.</source>
        <translation>Solo i follower confermati possono vedere i tweet e il profilo completo di %1. Devi inviare una richiesta prima di poter seguire questo account.</translation>
    </message>
    <message id="qtn_zirrup_follow_request_command">
        <source>Send request now</source>
        <translation>Invia richiesta</translation>
    </message>
    <message id="qtn_zirrup_follow_request_head">
        <source>%1&apos;s tweets are protected</source>
        <translation>I tweet di %1 sono protetti</translation>
    </message>
    <message id="qtn_zirrup_home_command">
        <source>Home</source>
        <translation>Home</translation>
    </message>
    <message id="qtn_zirrup_info_picture_being_prepared">
        <source>A picture is still being prepared. This tweet will be sent after it.</source>
        <translation>Un'immagine è ancora in preparazione. Questo tweet verrà inviato subito dopo.</translation>
    </message>
    <message id="qtn_zirrup_inreply_to">
        <source>In reply to %1</source>
        <translation>In risposta a %1</translation>
    </message>
    <message id="qtn_zirrup_mention_command">
        <source>Mention</source>
        <translation>Menziona</translation>
    </message>
    <message id="qtn_zirrup_mentions_tab">
        <source>Mentions</source>
        <translation>Menzioni</translation>
    </message>
    <message id="qtn_zirrup_menu_command">
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
    <message id="qtn_zirrup_message_command">
        <source>Direct message</source>
        <translation>Messaggio diretto</translation>
    </message>
    <message id="qtn_zirrup_messages_tab">
        <source>Messages</source>
        <translation>Messaggi</translation>
    </message>
    <message id="qtn_zirrup_more_account">
        <source>Account</source>
        <translation>Account</translation>
    </message>
    <message id="qtn_zirrup_more_favorites">
        <source>Favourites</source>
        <translation>Preferiti</translation>
    </message>
    <message id="qtn_zirrup_more_lists">
        <source>Lists</source>
        <translation>Liste</translation>
    </message>
    <message id="qtn_zirrup_more_profile">
        <source>Profile</source>
        <translation>Profilo</translation>
    </message>
    <message id="qtn_zirrup_more_retweets">
        <source>Retweets</source>
        <translation>Retweet</translation>
    </message>
    <message id="qtn_zirrup_more_tab">
        <source>More</source>
        <translation>Altro</translation>
    </message>
    <message id="qtn_zirrup_networkunavailable">
        <source>Network unavailable</source>
        <translation>Rete non disponibile</translation>
    </message>
    <message id="qtn_zirrup_next_command">
        <source>Next</source>
        <translation>Avanti</translation>
    </message>
    <message id="qtn_zirrup_no_direct_messages">
        <source>No direct messages</source>
        <translation>Nessun messaggio diretto</translation>
    </message>
    <message id="qtn_zirrup_no_favorites">
        <source>No favourites</source>
        <translation>Nessun preferito</translation>
    </message>
    <message id="qtn_zirrup_no_followers">
        <source>No followers</source>
        <translation>Nessun follower</translation>
    </message>
    <message id="qtn_zirrup_no_followings">
        <source>No followings</source>
        <translation>Nessun account seguito</translation>
    </message>
    <message id="qtn_zirrup_no_mentions">
        <source>No mentions</source>
        <translation>Nessuna menzione</translation>
    </message>
    <message id="qtn_zirrup_no_people_results">
        <source>No people results for %1</source>
        <translation>Nessuna persona trovata per %1</translation>
    </message>
    <message id="qtn_zirrup_no_retweets">
        <source>No retweets</source>
        <translation>Nessun retweet</translation>
    </message>
    <message id="qtn_zirrup_no_search_results">
        <source>No tweet results for %1</source>
        <translation>Nessun tweet trovato per %1</translation>
    </message>
    <message id="qtn_zirrup_no_tweet_found">
        <source>No tweet found</source>
        <translation>Tweet non trovato</translation>
    </message>
    <message id="qtn_zirrup_no_tweets">
        <source>No tweets</source>
        <translation>Nessun tweet</translation>
    </message>
    <message id="qtn_zirrup_profile_bio">
        <source>Bio</source>
        <translation>Bio</translation>
    </message>
    <message id="qtn_zirrup_profile_edit_command">
        <source>Edit</source>
        <translation>Modifica</translation>
    </message>
    <message id="qtn_zirrup_profile_follow">
        <source>Follow</source>
        <translation>Segui</translation>
    </message>
    <message id="qtn_zirrup_profile_follow_request">
        <source>Send follow request</source>
        <translation>Invia richiesta di follow</translation>
    </message>
    <message id="qtn_zirrup_profile_followers">
        <source>Followers</source>
        <translation>Follower</translation>
    </message>
    <message id="qtn_zirrup_profile_following">
        <source>Following</source>
        <translation>Segue</translation>
    </message>
    <message id="qtn_zirrup_profile_listed">
        <source>Listed</source>
        <translation>In liste</translation>
    </message>
    <message id="qtn_zirrup_profile_location">
        <source>Location</source>
        <translation>Posizione</translation>
    </message>
    <message id="qtn_zirrup_profile_name">
        <source>Name</source>
        <translation>Nome</translation>
    </message>
    <message id="qtn_zirrup_profile_tweets">
        <source>Tweets</source>
        <translation>Tweet</translation>
    </message>
    <message id="qtn_zirrup_profile_unfollow">
        <source>Unfollow</source>
        <translation>Non seguire più</translation>
    </message>
    <message id="qtn_zirrup_profile_url">
        <source>Website</source>
        <translation>Sito web</translation>
    </message>
    <message id="qtn_zirrup_profile_user_blocked">
        <source>%1 is blocked</source>
        <translation>%1 è bloccato</translation>
    </message>
    <message id="qtn_zirrup_profile_user_following">
        <source>%1 is following you</source>
        <translation>%1 ti segue</translation>
    </message>
    <message id="qtn_zirrup_profile_user_not_following">
        <source>%1 is not following you</source>
        <translation>%1 non ti segue</translation>
    </message>
    <message id="qtn_zirrup_pull_down_refresh">
        <source>Pull down to refresh</source>
        <translation>Trascina in basso per aggiornare</translation>
    </message>
    <message id="qtn_zirrup_refresh_command">
        <source>Refresh</source>
        <translation>Aggiorna</translation>
    </message>
    <message id="qtn_zirrup_refreshing_contents">
        <source>Refreshing...</source>
        <translation>Aggiornamento…</translation>
    </message>
    <message id="qtn_zirrup_reply_hint">
        <source>Reply…</source>
        <translation>Rispondi…</translation>
    </message>
    <message id="qtn_zirrup_reply_tweet_command">
        <source>Reply</source>
        <translation>Rispondi</translation>
    </message>
    <message id="qtn_zirrup_retweet_by">
        <source>by %1</source>
        <translation>da %1</translation>
    </message>
    <message id="qtn_zirrup_retweet_command">
        <source>Retweet</source>
        <translation>Ritwitta</translation>
    </message>
    <message id="qtn_zirrup_save_command">
        <source>Save</source>
        <translation>Salva</translation>
    </message>
    <message id="qtn_zirrup_seach_topic_name_hint">
        <source>Search topic or name</source>
        <translation>Cerca argomento o nome</translation>
    </message>
    <message id="qtn_zirrup_search_command">
        <source>Search</source>
        <translation>Cerca</translation>
    </message>
    <message id="qtn_zirrup_search_filter_all">
        <source>All Tweets</source>
        <translation>Tutti i tweet</translation>
    </message>
    <message id="qtn_zirrup_search_filter_geo">
        <source>Nearby</source>
        <translation>Nelle vicinanze</translation>
    </message>
    <message id="qtn_zirrup_search_filter_people">
        <source>People</source>
        <translation>Persone</translation>
    </message>
    <message id="qtn_zirrup_search_filter_timeline">
        <source>Timeline</source>
        <translation>Timeline</translation>
    </message>
    <message id="qtn_zirrup_search_saved_head">
        <source>Saved Searches</source>
        <translation>Ricerche salvate</translation>
    </message>
    <message id="qtn_zirrup_search_users_hint">
        <source>Search users</source>
        <translation>Cerca utenti</translation>
    </message>
    <message id="qtn_zirrup_search_zirrup_hint">
        <source>Search Zirrup</source>
        <translation>Cerca su Zirrup</translation>
    </message>
    <message id="qtn_zirrup_send_command">
        <source>Send</source>
        <translation>Invia</translation>
    </message>
    <message id="qtn_zirrup_tweet_command">
        <source>Tweet</source>
        <translation>Twitta</translation>
    </message>
    <message id="qtn_zirrup_tweet_location">
        <source>from %1</source>
        <translation>da %1</translation>
    </message>
    <message id="qtn_zirrup_tweet_retweet">
        <source>retweeted by %1</source>
        <translation>ritwittato da %1</translation>
    </message>
    <message id="qtn_zirrup_tweet_row_accessible">
        <source>%1: %2, %3</source>
        <translation>%1: %2, %3</translation>
    </message>
    <message id="qtn_zirrup_unblock_command">
        <source>Unblock</source>
        <translation>Sblocca</translation>
    </message>
    <message id="qtn_zirrup_undo_retweet_command">
        <source>Undo retweet</source>
        <translation>Annulla retweet</translation>
    </message>
    <message id="qtn_zirrup_unfavorite_command">
        <source>Unfavourite</source>
        <translation>Rimuovi dai preferiti</translation>
    </message>
    <message id="qtn_zirrup_unread_accessible">
        <source>%1, unread</source>
        <translation>%1, da leggere</translation>
    </message>
</context>
</TS>
