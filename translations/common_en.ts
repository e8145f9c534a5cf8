<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name></name>
    <message id="qtn_comm_date_time">
        <source>%1 at %2</source>
        <translation>%1 at %2</translation>
    </message>
    <message id="qtn_comm_share_incorrect_date">
        <source>Incorrect date and time</source>
        <translation>Incorrect date and time</translation>
    </message>
    <message id="qtn_comm_time_moment_ago">
        <source>A moment ago</source>
        <translation>A moment ago</translation>
    </message>
    <message id="qtn_comm_time_sec_ago" numerus="yes">
        <source>%Ln seconds ago</source>
        <translation>
            <numerusform>%Ln second ago</numerusform>
            <numerusform>%Ln seconds ago</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_time_minute_ago" numerus="yes">
        <source>%Ln minutes ago</source>
        <translation>
            <numerusform>%Ln minute ago</numerusform>
            <numerusform>%Ln minutes ago</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_time_hours_ago" numerus="yes">
        <source>%Ln hours ago</source>
        <translation>
            <numerusform>%Ln hour ago</numerusform>
            <numerusform>%Ln hours ago</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_account_title">
        <source>Zirrup account</source>
        <translation>Zirrup account</translation>
    </message>
    <message id="qtn_comm_account_sign_in_title">
        <source>Sign in to Zirrup</source>
        <translation>Sign in to Zirrup</translation>
    </message>
    <message id="qtn_comm_account_service">
        <source>Service address</source>
        <translation>Service address</translation>
    </message>
    <message id="qtn_comm_account_user_name">
        <source>User name</source>
        <translation>User name</translation>
    </message>
    <message id="qtn_comm_account_password">
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message id="qtn_comm_account_cancel">
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message id="qtn_comm_account_sign_in">
        <source>Sign in</source>
        <translation>Sign in</translation>
    </message>
    <message id="qtn_comm_account_signed_in_as">
        <source>Signed in as @%1</source>
        <translation>Signed in as @%1</translation>
    </message>
    <message id="qtn_comm_account_use">
        <source>Use this account</source>
        <translation>Use this account</translation>
    </message>
    <message id="qtn_comm_account_sign_out">
        <source>Sign out</source>
        <translation>Sign out</translation>
    </message>
    <message id="qtn_comm_account_close">
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message id="qtn_comm_account_error_address">
        <source>Enter the address of the service, for example %1.</source>
        <translation>Enter the address of the service, for example %1.</translation>
    </message>
    <message id="qtn_comm_account_error_missing">
        <source>Enter your user name and password.</source>
        <translation>Enter your user name and password.</translation>
    </message>
    <message id="qtn_comm_account_error_credentials">
        <source>Wrong user name or password.</source>
        <translation>Wrong user name or password.</translation>
    </message>
    <message id="qtn_comm_account_error_deleted">
        <source>This account has been deleted.</source>
        <translation>This account has been deleted.</translation>
    </message>
    <message id="qtn_comm_account_error_clock">
        <source>The date and time of this computer are wrong. Correct them and try again.</source>
        <translation>The date and time of this computer are wrong. Correct them and try again.</translation>
    </message>
    <message id="qtn_comm_account_error_client">
        <source>The service does not accept this program. Check the service address.</source>
        <translation>The service does not accept this program. Check the service address.</translation>
    </message>
    <message id="qtn_comm_account_error_unreachable">
        <source>Cannot reach the service at %1. Check the address and your connection.</source>
        <translation>Cannot reach the service at %1. Check the address and your connection.</translation>
    </message>
    <message id="qtn_comm_account_error_busy">
        <source>Signing in is already in progress.</source>
        <translation>Signing in is already in progress.</translation>
    </message>
    <message id="qtn_comm_account_error_service_says">
        <source>The service could not sign you in: %1</source>
        <translation>The service could not sign you in: %1</translation>
    </message>
    <message id="qtn_comm_account_error_service">
        <source>The service could not sign you in. Try again later.</source>
        <translation>The service could not sign you in. Try again later.</translation>
    </message>
    <message id="qtn_comm_account_error_change">
        <source>The account could not be changed.</source>
        <translation>The account could not be changed.</translation>
    </message>
    <message id="qtn_comm_account_error_save">
        <source>The account could not be saved: %1</source>
        <translation>The account could not be saved: %1</translation>
    </message>
    <message id="qtn_comm_account_error_incomplete">
        <source>The account is incomplete.</source>
        <translation>The account is incomplete.</translation>
    </message>
    <message id="qtn_comm_account_error_folder">
        <source>Cannot create %1.</source>
        <translation>Cannot create %1.</translation>
    </message>
    <message id="qtn_comm_notify_new_mention">
        <source>New mention</source>
        <translation>New mention</translation>
    </message>
    <message id="qtn_comm_notify_new_mentions" numerus="yes">
        <source>%Ln new mentions</source>
        <translation>
            <numerusform>%Ln new mention</numerusform>
            <numerusform>%Ln new mentions</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_notify_new_message">
        <source>New message</source>
        <translation>New message</translation>
    </message>
    <message id="qtn_comm_notify_new_messages" numerus="yes">
        <source>%Ln new messages</source>
        <translation>
            <numerusform>%Ln new message</numerusform>
            <numerusform>%Ln new messages</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_notify_show">
        <source>Show</source>
        <translation>Show</translation>
    </message>
</context>
</TS>
