<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="en">
<context>
    <name></name>
    <message id="qtn_comm_date_time">
        <source>%1 at %2</source>
        <translation>%1 %2</translation>
    </message>
    <message id="qtn_comm_share_incorrect_date">
        <source>Incorrect date and time</source>
        <translation>日期和時間不正確</translation>
    </message>
    <message id="qtn_comm_time_moment_ago">
        <source>A moment ago</source>
        <translation>剛剛</translation>
    </message>
    <message id="qtn_comm_time_sec_ago" numerus="yes">
        <source>%Ln seconds ago</source>
        <translation>
            <numerusform>%Ln 秒前</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_time_minute_ago" numerus="yes">
        <source>%Ln minutes ago</source>
        <translation>
            <numerusform>%Ln 分鐘前</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_time_hours_ago" numerus="yes">
        <source>%Ln hours ago</source>
        <translation>
            <numerusform>%Ln 小時前</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_account_title">
        <source>Zirrup account</source>
        <translation>Zirrup 帳號</translation>
    </message>
    <message id="qtn_comm_account_sign_in_title">
        <source>Sign in to Zirrup</source>
        <translation>登入 Zirrup</translation>
    </message>
    <message id="qtn_comm_account_service">
        <source>Service address</source>
        <translation>服務位址</translation>
    </message>
    <message id="qtn_comm_account_user_name">
        <source>User name</source>
        <translation>使用者名稱</translation>
    </message>
    <message id="qtn_comm_account_password">
        <source>Password</source>
        <translation>密碼</translation>
    </message>
    <message id="qtn_comm_account_cancel">
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message id="qtn_comm_account_sign_in">
        <source>Sign in</source>
        <translation>登入</translation>
    </message>
    <message id="qtn_comm_account_signed_in_as">
        <source>Signed in as @%1</source>
        <translation>已登入為 @%1</translation>
    </message>
    <message id="qtn_comm_account_use">
        <source>Use this account</source>
        <translation>使用此帳號</translation>
    </message>
    <message id="qtn_comm_account_sign_out">
        <source>Sign out</source>
        <translation>登出</translation>
    </message>
    <message id="qtn_comm_account_close">
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message id="qtn_comm_account_error_address">
        <source>Enter the address of the service, for example %1.</source>
        <translation>請輸入服務位址，例如 %1。</translation>
    </message>
    <message id="qtn_comm_account_error_missing">
        <source>Enter your user name and password.</source>
        <translation>請輸入使用者名稱和密碼。</translation>
    </message>
    <message id="qtn_comm_account_error_credentials">
        <source>Wrong user name or password.</source>
        <translation>使用者名稱或密碼錯誤。</translation>
    </message>
    <message id="qtn_comm_account_error_deleted">
        <source>This account has been deleted.</source>
        <translation>此帳號已被刪除。</translation>
    </message>
    <message id="qtn_comm_account_error_clock">
        <source>The date and time of this computer are wrong. Correct them and try again.</source>
        <translation>這部電腦的日期和時間不正確。請修正後再試一次。</translation>
    </message>
    <message id="qtn_comm_account_error_client">
        <source>The service does not accept this program. Check the service address.</source>
        <translation>服務不接受此程式。請檢查服務位址。</translation>
    </message>
    <message id="qtn_comm_account_error_unreachable">
        <source>Cannot reach the service at %1. Check the address and your connection.</source>
        <translation>無法連線至位於 %1 的服務。請檢查位址和網路連線。</translation>
    </message>
    <message id="qtn_comm_account_error_busy">
        <source>Signing in is already in progress.</source>
        <translation>正在登入中。</translation>
    </message>
    <message id="qtn_comm_account_error_service_says">
        <source>The service could not sign you in: %1</source>
        <translation>服務無法讓你登入：%1</translation>
    </message>
    <message id="qtn_comm_account_error_service">
        <source>The service could not sign you in. Try again later.</source>
        <translation>服務無法讓你登入。請稍後再試。</translation>
    </message>
    <message id="qtn_comm_account_error_change">
        <source>The account could not be changed.</source>
        <translation>無法變更帳號。</translation>
    </message>
    <message id="qtn_comm_account_error_save">
        <source>The account could not be saved: %1</source>
        <translation>無法儲存帳號：%1</translation>
    </message>
    <message id="qtn_comm_account_error_incomplete">
        <source>The account is incomplete.</source>
        <translation>帳號資料不完整。</translation>
    </message>
    <message id="qtn_comm_account_error_folder">
        <source>Cannot create %1.</source>
        <translation>無法建立 %1。</translation>
    </message>
    <message id="qtn_comm_notify_new_mention">
        <source>New mention</source>
        <translation>新的提及</translation>
    </message>
    <message id="qtn_comm_notify_new_mentions" numerus="yes">
        <source>%Ln new mentions</source>
        <translation>
            <numerusform>%Ln 則新的提及</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_notify_new_message">
        <source>New message</source>
        <translation>新訊息</translation>
    </message>
    <message id="qtn_comm_notify_new_messages" numerus="yes">
        <source>%Ln new messages</source>
        <translation>
            <numerusform>%Ln 則新訊息</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_notify_show">
        <source>Show</source>
        <translation>顯示</translation>
    </message>
</context>
</TS>
