<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name></name>
    <message id="qtn_comm_date_time">
        <source>%1 at %2</source>
        <translation>%1 à %2</translation>
    </message>
    <message id="qtn_comm_share_incorrect_date">
        <source>Incorrect date and time</source>
        <translation>Date et heure incorrectes</translation>
    </message>
    <message id="qtn_comm_time_moment_ago">
        <source>A moment ago</source>
        <translation>À l’instant</translation>
    </message>
    <message id="qtn_comm_time_sec_ago" numerus="yes">
        <source>%Ln seconds ago</source>
        <translation>
            <numerusform>Il y a %Ln seconde</numerusform>
            <numerusform>Il y a %Ln secondes</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_time_minute_ago" numerus="yes">
        <source>%Ln minutes ago</source>
        <translation>
            <numerusform>Il y a %Ln minute</numerusform>
            <numerusform>Il y a %Ln minutes</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_time_hours_ago" numerus="yes">
        <source>%Ln hours ago</source>
        <translation>
            <numerusform>Il y a %Ln heure</numerusform>
            <numerusform>Il y a %Ln heures</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_account_title">
        <source>Zirrup account</source>
        <translation>Compte Zirrup</translation>
    </message>
    <message id="qtn_comm_account_sign_in_title">
        <source>Sign in to Zirrup</source>
        <translation>Se connecter à Zirrup</translation>
    </message>
    <message id="qtn_comm_account_service">
        <source>Service address</source>
        <translation>Adresse du service</translation>
    </message>
    <message id="qtn_comm_account_user_name">
        <source>User name</source>
        <translation>Nom d’utilisateur</translation>
    </message>
    <message id="qtn_comm_account_password">
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message id="qtn_comm_account_cancel">
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message id="qtn_comm_account_sign_in">
        <source>Sign in</source>
        <translation>Se connecter</translation>
    </message>
    <message id="qtn_comm_account_signed_in_as">
        <source>Signed in as @%1</source>
        <translation>Connecté en tant que @%1</translation>
    </message>
    <message id="qtn_comm_account_use">
        <source>Use this account</source>
        <translation>Utiliser ce compte</translation>
    </message>
    <message id="qtn_comm_account_sign_out">
        <source>Sign out</source>
        <translation>Se déconnecter</translation>
    </message>
    <message id="qtn_comm_account_close">
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message id="qtn_comm_account_error_address">
        <source>Enter the address of the service, for example %1.</source>
        <translation>Saisissez l’adresse du service, par exemple %1.</translation>
    </message>
    <message id="qtn_comm_account_error_missing">
        <source>Enter your user name and password.</source>
        <translation>Saisissez votre nom d’utilisateur et votre mot de passe.</translation>
    </message>
    <message id="qtn_comm_account_error_credentials">
        <source>Wrong user name or password.</source>
        <translation>Nom d’utilisateur ou mot de passe incorrect.</translation>
    </message>
    <message id="qtn_comm_account_error_deleted">
        <source>This account has been deleted.</source>
        <translation>Ce compte a été supprimé.</translation>
    </message>
    <message id="qtn_comm_account_error_clock">
        <source>The date and time of this computer are wrong. Correct them and try again.</source>
        <translation>La date et l’heure de cet ordinateur sont incorrectes. Corrigez-les puis réessayez.</translation>
    </message>
    <message id="qtn_comm_account_error_client">
        <source>The service does not accept this program. Check the service address.</source>
        <translation>Le service n’accepte pas ce programme. Vérifiez l’adresse du service.</translation>
    </message>
    <message id="qtn_comm_account_error_unreachable">
        <source>Cannot reach the service at %1. Check the address and your connection.</source>
        <translation>Impossible de joindre le service à l’adresse %1. Vérifiez l’adresse et votre connexion.</translation>
    </message>
    <message id="qtn_comm_account_error_busy">
        <source>Signing in is already in progress.</source>
        <translation>Une connexion est déjà en cours.</translation>
    </message>
    <message id="qtn_comm_account_error_service_says">
        <source>The service could not sign you in: %1</source>
        <translation>Le service n’a pas pu vous connecter : %1</translation>
    </message>
    <message id="qtn_comm_account_error_service">
        <source>The service could not sign you in. Try again later.</source>
        <translation>Le service n’a pas pu vous connecter. Réessayez plus tard.</translation>
    </message>
    <message id="qtn_comm_account_error_change">
        <source>The account could not be changed.</source>
        <translation>Impossible de modifier le compte.</translation>
    </message>
    <message id="qtn_comm_account_error_save">
        <source>The account could not be saved: %1</source>
        <translation>Impossible d’enregistrer le compte : %1</translation>
    </message>
    <message id="qtn_comm_account_error_incomplete">
        <source>The account is incomplete.</source>
        <translation>Le compte est incomplet.</translation>
    </message>
    <message id="qtn_comm_account_error_folder">
        <source>Cannot create %1.</source>
        <translation>Impossible de créer %1.</translation>
    </message>
    <message id="qtn_comm_notify_new_mention">
        <source>New mention</source>
        <translation>Nouvelle mention</translation>
    </message>
    <message id="qtn_comm_notify_new_mentions" numerus="yes">
        <source>%Ln new mentions</source>
        <translation>
            <numerusform>%Ln nouvelle mention</numerusform>
            <numerusform>%Ln nouvelles mentions</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_notify_new_message">
        <source>New message</source>
        <translation>Nouveau message</translation>
    </message>
    <message id="qtn_comm_notify_new_messages" numerus="yes">
        <source>%Ln new messages</source>
        <translation>
            <numerusform>%Ln nouveau message</numerusform>
            <numerusform>%Ln nouveaux messages</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_notify_show">
        <source>Show</source>
        <translation>Afficher</translation>
    </message>
</context>
</TS>
