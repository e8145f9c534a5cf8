<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR" sourcelanguage="en">
<context>
    <name></name>
    <message id="qtn_zirrup_add_command">
        <source>Add</source>
        <translation>Adicionar</translation>
    </message>
    <message id="qtn_zirrup_back_command">
        <source>Back</source>
        <translation>Voltar</translation>
    </message>
    <message id="qtn_zirrup_block_command">
        <source>Block</source>
        <translation>Bloquear</translation>
    </message>
    <message id="qtn_zirrup_cancel_command">
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message id="qtn_zirrup_change_photo_command">
        <source>Change photo</source>
        <translation>Alterar foto</translation>
    </message>
    <message id="qtn_zirrup_compose_new">
        <source>Compose new</source>
        <translation>Escrever</translation>
    </message>
    <message id="qtn_zirrup_delete_command">
        <source>Delete</source>
        <translation>Excluir</translation>
    </message>
    <message id="qtn_zirrup_delete_message_command">
        <source>Delete message</source>
        <translation>Excluir mensagem</translation>
    </message>
    <message id="qtn_zirrup_delete_message_query">
        <source>Delete message?</source>
        <translation>Excluir a mensagem?</translation>
    </message>
    <message id="qtn_zirrup_delete_query">
        <source>Delete tweet?</source>
        <translation>Excluir o tweet?</translation>
    </message>
    <message id="qtn_zirrup_discard_command">
        <source>Discard</source>
        <translation>Descartar</translation>
    </message>
    <message id="qtn_zirrup_discard_message_query">
        <source>Discard this unsaved message?</source>
        <translation>Descartar esta mensagem não salva?</translation>
    </message>
    <message id="qtn_zirrup_discard_message_query_info">
        <source>Your message will be lost</source>
        <translation>Sua mensagem será perdida</translation>
    </message>
    <message id="qtn_zirrup_discard_tweet_query">
        <source>Discard this unsaved tweet?</source>
        <translation>Descartar este tweet não salvo?</translation>
    </message>
    <message id="qtn_zirrup_discard_tweet_query_info">
        <source>Your tweet will be lost</source>
        <translation>Seu tweet será perdido</translation>
    </message>
    <message id="qtn_zirrup_done_command">
        <source>Done</source>
        <translation>Concluído</translation>
    </message>
    <message id="qtn_zirrup_error_change_blocked_status">
        <source>Unable to change blocked status.</source>
        <translation>Não foi possível alterar o bloqueio.</translation>
    </message>
    <message id="qtn_zirrup_error_change_favorited_status">
        <source>Unable to change the favourite status.</source>
        <translation>Não foi possível alterar o favorito.</translation>
    </message>
    <message id="qtn_zirrup_error_change_following_status">
        <source>Unable to change following status.</source>
        <translation>Não foi possível alterar o status de seguir.</translation>
    </message>
    <message id="qtn_zirrup_error_change_profile_image">
        <source>Unable to change profile image.</source>
        <translation>Não foi possível alterar a foto do perfil.</translation>
    </message>
    <message id="qtn_zirrup_error_load_messages">
        <source>Unable to load messages.</source>
        <translation>Não foi possível carregar as mensagens.</translation>
    </message>
    <message id="qtn_zirrup_error_load_profile">
        <source>Unable to load profile.</source>
        <translation>Não foi possível carregar o perfil.</translation>
    </message>
    <message id="qtn_zirrup_error_load_profiles">
        <source>Unable to load profiles.</source>
        <translation>Não foi possível carregar os perfis.</translation>
    </message>
    <message id="qtn_zirrup_error_load_saved_searches">
        <source>Unable to load saved searches.</source>
        <translation>Não foi possível carregar as buscas salvas.</translation>
    </message>
    <message id="qtn_zirrup_error_load_trends">
        <source>Unable to load Trending Topic.</source>
        <translation>Não foi possível carregar as tendências.</translation>
    </message>
    <message id="qtn_zirrup_error_no_position">
        <source>Your position is not available.</source>
        <translation>Sua localização não está disponível.</translation>
    </message>
    <message id="qtn_zirrup_error_post_tweet">
        <source>Unable to post tweet.</source>
        <translation>Não foi possível publicar o tweet.</translation>
    </message>
    <message id="qtn_zirrup_error_retrieve_tweets">
        <source>Unable to retrieve tweets.</source>
        <translation>Não foi possível obter os tweets.</translation>
    </message>
    <message id="qtn_zirrup_error_retweet">
        <source>Unable to retweet.</source>
        <translation>Não foi possível retweetar.</translation>
    </message>
    <message id="qtn_zirrup_error_save_search">
        <source>Unable to save search.</source>
        <translation>Não foi possível salvar a busca.</translation>
    </message>
    <message id="qtn_zirrup_error_search">
        <source>Unable to perform search.</source>
        <translation>Não foi possível fazer a busca.</translation>
    </message>
    <message id="qtn_zirrup_error_send_message">
        <source>Unable to send message.</source>
        <translation>Não foi possível enviar a mensagem.</translation>
    </message>
    <message id="qtn_zirrup_error_shorten_url">
        <source>Unable to shorten url.</source>
        <translation>Não foi possível encurtar o link.</translation>
    </message>
    <message id="qtn_zirrup_favorite_command">
        <source>Favourite</source>
        <translation>Adicionar aos favoritos</translation>
    </message>
    <message id="qtn_zirrup_first_run_intro">
        <source>The best way to discover what&apos;s new in your world.</source>
        <translation>A melhor maneira de descobrir o que há de novo no seu mundo.</translation>
    </message>
    <message id="qtn_zirrup_first_run_sign_in">
        <source>Sign In</source>
        <translation>Entrar</translation>
    </message>
    <message id="qtn_zirrup_first_run_sign_up">
        <source>Sign Up</source>
        <translation>Cadastrar-se</translation>
    </message>
    <message id="qtn_zirrup_first_run_trends">
        <source>Trending Topics</source>
        <translation>Tendências</translation>
    </message>
    <message id="qtn_zirrup_follow_request">
        <source>Only confirmed followers have access to %1&apos;s tweets and complete profile. You need to send a request before you can start following this account.</source>
        <translation>Somente seguidores confirmados têm acesso aos tweets e ao perfil completo de %1. Você precisa enviar uma solicitação antes de começar a seguir esta conta.</translation>
    </message>
    <message id="qtn_zirrup_follow_request_command">
        <source>Send request now</source>
        <translation>Enviar solicitação agora</translation>
    </message>
    <message id="qtn_zirrup_follow_request_head">
        <source>%1&apos;s tweets are protected</source>
        <translation>Os tweets de %1 estão protegidos</translation>
    </message>
    <message id="qtn_zirrup_home_command">
        <source>Home</source>
        <translation>Início</translation>
    </message>
    <message id="qtn_zirrup_info_picture_being_prepared">
        <source>A picture is still being prepared. This tweet will be sent after it.</source>
        <translation>Uma foto ainda está sendo preparada. Este tweet será enviado em seguida.</translation>
    </message>
    <message id="qtn_zirrup_inreply_to">
        <source>In reply to %1</source>
        <translation>Em resposta a %1</translation>
    </message>
    <message id="qtn_zirrup_mention_command">
        <source>Mention</source>
        <translation>Mencionar</translation>
    </message>
    <message id="qtn_zirrup_mentions_tab">
        <source>Mentions</source>
        <translation>Menções</translation>
    </message>
    <message id="qtn_zirrup_menu_command">
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
    <message id="qtn_zirrup_message_command">
        <source>Direct message</source>
        <translation>Mensagem direta</translation>
    </message>
    <message id="qtn_zirrup_messages_tab">
        <source>Messages</source>
        <translation>Mensagens</translation>
    </message>
    <message id="qtn_zirrup_more_account">
        <source>Account</source>
        <translation>Conta</translation>
    </message>
    <message id="qtn_zirrup_more_favorites">
        <source>Favourites</source>
        <translation>Favoritos</translation>
    </message>
    <message id="qtn_zirrup_more_lists">
        <source>Lists</source>
        <translation>Listas</translation>
    </message>
    <message id="qtn_zirrup_more_profile">
        <source>Profile</source>
        <translation>Perfil</translation>
    </message>
    <message id="qtn_zirrup_more_retweets">
        <source>Retweets</source>
        <translation>Retweets</translation>
    </message>
    <message id="qtn_zirrup_more_tab">
        <source>More</source>
        <translation>Mais</translation>
    </message>
    <message id="qtn_zirrup_networkunavailable">
        <source>Network unavailable</source>
        <translation>Rede indisponível</translation>
    </message>
    <message id="qtn_zirrup_next_command">
        <source>Next</source>
        <translation>Próximo</translation>
    </message>
    <message id="qtn_zirrup_no_direct_messages">
        <source>No direct messages</source>
        <translation>Nenhuma mensagem direta</translation>
    </message>
    <message id="qtn_zirrup_no_favorites">
        <source>No favourites</source>
        <translation>Nenhum favorito</translation>
    </message>
    <message id="qtn_zirrup_no_followers">
        <source>No followers</source>
        <translation>Nenhum seguidor</translation>
    </message>
    <message id="qtn_zirrup_no_followings">
        <source>No followings</source>
        <translation>Não segue ninguém</translation>
    </message>
    <message id="qtn_zirrup_no_mentions">
        <source>No mentions</source>
        <translation>Nenhuma menção</translation>
    </message>
    <message id="qtn_zirrup_no_people_results">
        <source>No people results for %1</source>
        <translation>Nenhuma pessoa encontrada para %1</translation>
    </message>
    <message id="qtn_zirrup_no_retweets">
        <source>No retweets</source>
        <translation>Nenhum retweet</translation>
    </message>
    <message id="qtn_zirrup_no_search_results">
        <source>No tweet results for %1</source>
        <translation>Nenhum tweet encontrado para %1</translation>
    </message>
    <message id="qtn_zirrup_no_tweet_found">
        <source>No tweet found</source>
        <translation>Tweet não encontrado</translation>
    </message>
    <message id="qtn_zirrup_no_tweets">
        <source>No tweets</source>
        <translation>Nenhum tweet</translation>
    </message>
    <message id="qtn_zirrup_profile_bio">
        <source>Bio</source>
        <translation>Bio</translation>
    </message>
    <message id="qtn_zirrup_profile_edit_command">
        <source>Edit</source>
        <translation>Editar</translation>
    </message>
    <message id="qtn_zirrup_profile_follow">
        <source>Follow</source>
        <translation>Seguir</translation>
    </message>
    <message id="qtn_zirrup_profile_follow_request">
        <source>Send follow request</source>
        <translation>Enviar solicitação para seguir</translation>
    </message>
    <message id="qtn_zirrup_profile_followers">
        <source>Followers</source>
        <translation>Seguidores</translation>
    </message>
    <message id="qtn_zirrup_profile_following">
        <source>Following</source>
        <translation>Seguindo</translation>
    </message>
    <message id="qtn_zirrup_profile_listed">
        <source>Listed</source>
        <translation>Em listas</translation>
    </message>
    <message id="qtn_zirrup_profile_location">
        <source>Location</source>
        <translation>Localização</translation>
    </message>
    <message id="qtn_zirrup_profile_name">
        <source>Name</source>
        <translation>Nome</translation>
    </message>
    <message id="qtn_zirrup_profile_tweets">
        <source>Tweets</source>
        <translation>Tweets</translation>
    </message>
    <message id="qtn_zirrup_profile_unfollow">
        <source>Unfollow</source>
        <translation>Deixar de seguir</translation>
    </message>
    <message id="qtn_zirrup_profile_url">
        <source>Website</source>
        <translation>Site</translation>
    </message>
    <message id="qtn_zirrup_profile_user_blocked">
        <source>%1 is blocked</source>
        <translation>%1 está bloqueado</translation>
    </message>
    <message id="qtn_zirrup_profile_user_following">
        <source>%1 is following you</source>
        <translation>%1 segue você</translation>
    </message>
    <message id="qtn_zirrup_profile_user_not_following">
        <source>%1 is not following you</source>
        <translation>%1 não segue você</translation>
    </message>
    <message id="qtn_zirrup_pull_down_refresh">
        <source>Pull down to refresh</source>
        <translation>Puxe para baixo para atualizar</translation>
    </message>
    <message id="qtn_zirrup_refresh_command">
        <source>Refresh</source>
        <translation>Atualizar</translation>
    </message>
    <message id="qtn_zirrup_refreshing_contents">
        <source>Refreshing...</source>
        <translation>Atualizando…</translation>
    </message>
    <message id="qtn_zirrup_reply_hint">
        <source>Reply…</source>
        <translation>Responder…</translation>
    </message>
    <message id="qtn_zirrup_reply_tweet_command">
        <source>Reply</source>
        <translation>Responder</translation>
    </message>
    <message id="qtn_zirrup_retweet_by">
        <source>by %1</source>
        <translation>por %1</translation>
    </message>
    <message id="qtn_zirrup_retweet_command">
        <source>Retweet</source>
        <translation>Retweetar</translation>
    </message>
    <message id="qtn_zirrup_save_command">
        <source>Save</source>
        <translation>Salvar</translation>
    </message>
    <message id="qtn_zirrup_seach_topic_name_hint">
        <source>Search topic or name</source>
        <translation>Buscar assunto ou nome</translation>
    </message>
    <message id="qtn_zirrup_search_command">
        <source>Search</source>
        <translation>Buscar</translation>
    </message>
    <message id="qtn_zirrup_search_filter_all">
        <source>All Tweets</source>
        <translation>Todos os tweets</translation>
    </message>
    <message id="qtn_zirrup_search_filter_geo">
        <source>Nearby</source>
        <translation>Por perto</translation>
    </message>
    <message id="qtn_zirrup_search_filter_people">
        <source>People</source>
        <translation>Pessoas</translation>
    </message>
    <message id="qtn_zirrup_search_filter_timeline">
        <source>Timeline</source>
        <translation>Timeline</translation>
    </message>
    <message id="qtn_zirrup_search_saved_head">
        <source>Saved Searches</source>
        <translation>Buscas salvas</translation>
    </message>
    <message id="qtn_zirrup_search_users_hint">
        <source>Search users</source>
        <translation>Buscar usuários</translation>
    </message>
    <message id="qtn_zirrup_search_zirrup_hint">
        <source>Search Zirrup</source>
        <translation>Buscar no Zirrup</translation>
    </message>
    <message id="qtn_zirrup_send_command">
        <source>Send</source>
        <translation>Enviar</translation>
    </message>
    <message id="qtn_zirrup_tweet_command">
        <source>Tweet</source>
        <translation>Tweetar</translation>
    </message>
    <message id="qtn_zirrup_tweet_location">
        <source>from %1</source>
        <translation>de %1</translation>
    </message>
    <message id="qtn_zirrup_tweet_retweet">
        <source>retweeted by %1</source>
        <translation>retweetado por %1</translation>
    </message>
    <message id="qtn_zirrup_tweet_row_accessible">
        <source>%1: %2, %3</source>
        <translation>%1: %2, %3</translation>
    </message>
    <message id="qtn_zirrup_unblock_command">
        <source>Unblock</source>
        <translation>Desbloquear</translation>
    </message>
    <message id="qtn_zirrup_undo_retweet_command">
        <source>Undo retweet</source>
        <translation>Desfazer retweet</translation>
    </message>
    <message id="qtn_zirrup_unfavorite_command">
        <source>Unfavourite</source>
        <translation>Remover dos favoritos</translation>
    </message>
    <message id="qtn_zirrup_unread_accessible">
        <source>%1, unread</source>
        <translation>%1, não lido</translation>
    </message>
</context>
</TS>
