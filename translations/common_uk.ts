<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="uk" sourcelanguage="en">
<context>
    <name></name>
    <message id="qtn_comm_date_time">
        <source>%1 at %2</source>
        <translation>%1 о %2</translation>
    </message>
    <message id="qtn_comm_share_incorrect_date">
        <source>Incorrect date and time</source>
        <translation>Неправильні дата й час</translation>
    </message>
    <message id="qtn_comm_time_moment_ago">
        <source>A moment ago</source>
        <translation>Щойно</translation>
    </message>
    <message id="qtn_comm_time_sec_ago" numerus="yes">
        <source>%Ln seconds ago</source>
        <translation>
            <numerusform>%Ln секунду тому</numerusform>
            <numerusform>%Ln секунди тому</numerusform>
            <numerusform>%Ln секунд тому</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_time_minute_ago" numerus="yes">
        <source>%Ln minutes ago</source>
        <translation>
            <numerusform>%Ln хвилину тому</numerusform>
            <numerusform>%Ln хвилини тому</numerusform>
            <numerusform>%Ln хвилин тому</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_time_hours_ago" numerus="yes">
        <source>%Ln hours ago</source>
        <translation>
            <numerusform>%Ln годину тому</numerusform>
            <numerusform>%Ln години тому</numerusform>
            <numerusform>%Ln годин тому</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_account_title">
        <source>Zirrup account</source>
        <translation>Обліковий запис Zirrup</translation>
    </message>
    <message id="qtn_comm_account_sign_in_title">
        <source>Sign in to Zirrup</source>
        <translation>Вхід до Zirrup</translation>
    </message>
    <message id="qtn_comm_account_service">
        <source>Service address</source>
        <translation>Адреса сервісу</translation>
    </message>
    <message id="qtn_comm_account_user_name">
        <source>User name</source>
        <translation>Ім’я користувача</translation>
    </message>
    <message id="qtn_comm_account_password">
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
    <message id="qtn_comm_account_cancel">
        <source>Cancel</source>
        <translation>Скасувати</translation>
    </message>
    <message id="qtn_comm_account_sign_in">
        <source>Sign in</source>
        <translation>Увійти</translation>
    </message>
    <message id="qtn_comm_account_signed_in_as">
        <source>Signed in as @%1</source>
        <translation>Ви увійшли як @%1</translation>
    </message>
    <message id="qtn_comm_account_use">
        <source>Use this account</source>
        <translation>Використовувати цей обліковий запис</translation>
    </message>
    <message id="qtn_comm_account_sign_out">
        <source>Sign out</source>
        <translation>Вийти</translation>
    </message>
    <message id="qtn_comm_account_close">
        <source>Close</source>
        <translation>Закрити</translation>
    </message>
    <message id="qtn_comm_account_error_address">
        <source>Enter the address of the service, for example %1.</source>
        <translation>Введіть адресу сервісу, наприклад %1.</translation>
    </message>
    <message id="qtn_comm_account_error_missing">
        <source>Enter your user name and password.</source>
        <translation>Введіть ім’я користувача та пароль.</translation>
    </message>
    <message id="qtn_comm_account_error_credentials">
        <source>Wrong user name or password.</source>
        <translation>Неправильне ім’я користувача або пароль.</translation>
    </message>
    <message id="qtn_comm_account_error_deleted">
        <source>This account has been deleted.</source>
        <translation>Цей обліковий запис видалено.</translation>
    </message>
    <message id="qtn_comm_account_error_clock">
        <source>The date and time of this computer are wrong. Correct them and try again.</source>
        <translation>Дата й час на цьому комп’ютері неправильні. Виправте їх і спробуйте ще раз.</translation>
    </message>
    <message id="qtn_comm_account_error_client">
        <source>The service does not accept this program. Check the service address.</source>
        <translation>Сервіс не приймає цю програму. Перевірте адресу сервісу.</translation>
    </message>
    <message id="qtn_comm_account_error_unreachable">
        <source>Cannot reach the service at %1. Check the address and your connection.</source>
        <translation>Не вдається зв’язатися із сервісом за адресою %1. Перевірте адресу та з’єднання.</translation>
    </message>
    <message id="qtn_comm_account_error_busy">
        <source>Signing in is already in progress.</source>
        <translation>Вхід уже виконується.</translation>
    </message>
    <message id="qtn_comm_account_error_service_says">
        <source>The service could not sign you in: %1</source>
        <translation>Сервісу не вдалося виконати вхід: %1</translation>
    </message>
    <message id="qtn_comm_account_error_service">
        <source>The service could not sign you in. Try again later.</source>
        <translation>Сервісу не вдалося виконати вхід. Спробуйте пізніше.</translation>
    </message>
    <message id="qtn_comm_account_error_change">
        <source>The account could not be changed.</source>
        <translation>Не вдалося змінити обліковий запис.</translation>
    </message>
    <message id="qtn_comm_account_error_save">
        <source>The account could not be saved: %1</source>
        <translation>Не вдалося зберегти обліковий запис: %1</translation>
    </message>
    <message id="qtn_comm_account_error_incomplete">
        <source>The account is incomplete.</source>
        <translation>Обліковий запис заповнено не повністю.</translation>
    </message>
    <message id="qtn_comm_account_error_folder">
        <source>Cannot create %1.</source>
        <translation>Не вдається створити %1.</translation>
    </message>
    <message id="qtn_comm_notify_new_mention">
        <source>New mention</source>
        <translation>Нова згадка</translation>
    </message>
    <message id="qtn_comm_notify_new_mentions" numerus="yes">
        <source>%Ln new mentions</source>
        <translation>
            <numerusform>%Ln нова згадка</numerusform>
            <numerusform>%Ln нові згадки</numerusform>
            <numerusform>%Ln нових згадок</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_notify_new_message">
        <source>New message</source>
        <translation>Нове повідомлення</translation>
    </message>
    <message id="qtn_comm_notify_new_messages" numerus="yes">
        <source>%Ln new messages</source>
        <translation>
            <numerusform>%Ln нове повідомлення</numerusform>
            <numerusform>%Ln нові повідомлення</numerusform>
            <numerusform>%Ln нових повідомлень</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_notify_show">
        <source>Show</source>
        <translation>Показати</translation>
    </message>
</context>
</TS>
