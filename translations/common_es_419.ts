<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_419" sourcelanguage="en">
<context>
    <name></name>
    <message id="qtn_comm_date_time">
        <source>%1 at %2</source>
        <translation>%1 a las %2</translation>
    </message>
    <message id="qtn_comm_share_incorrect_date">
        <source>Incorrect date and time</source>
        <translation>Fecha y hora incorrectas</translation>
    </message>
    <message id="qtn_comm_time_moment_ago">
        <source>A moment ago</source>
        <translation>Hace un momento</translation>
    </message>
    <message id="qtn_comm_time_sec_ago" numerus="yes">
        <source>%Ln seconds ago</source>
        <translation>
            <numerusform>Hace %Ln segundo</numerusform>
            <numerusform>Hace %Ln segundos</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_time_minute_ago" numerus="yes">
        <source>%Ln minutes ago</source>
        <translation>
            <numerusform>Hace %Ln minuto</numerusform>
            <numerusform>Hace %Ln minutos</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_time_hours_ago" numerus="yes">
        <source>%Ln hours ago</source>
        <translation>
            <numerusform>Hace %Ln hora</numerusform>
            <numerusform>Hace %Ln horas</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_account_title">
        <source>Zirrup account</source>
        <translation>Cuenta de Zirrup</translation>
    </message>
    <message id="qtn_comm_account_sign_in_title">
        <source>Sign in to Zirrup</source>
        <translation>Iniciar sesión en Zirrup</translation>
    </message>
    <message id="qtn_comm_account_service">
        <source>Service address</source>
        <translation>Dirección del servicio</translation>
    </message>
    <message id="qtn_comm_account_user_name">
        <source>User name</source>
        <translation>Nombre de usuario</translation>
    </message>
    <message id="qtn_comm_account_password">
        <source>Password</source>
        <translation>Contraseña</translation>
    </message>
    <message id="qtn_comm_account_cancel">
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message id="qtn_comm_account_sign_in">
        <source>Sign in</source>
        <translation>Iniciar sesión</translation>
    </message>
    <message id="qtn_comm_account_signed_in_as">
        <source>Signed in as @%1</source>
        <translation>Sesión iniciada como @%1</translation>
    </message>
    <message id="qtn_comm_account_use">
        <source>Use this account</source>
        <translation>Usar esta cuenta</translation>
    </message>
    <message id="qtn_comm_account_sign_out">
        <source>Sign out</source>
        <translation>Cerrar sesión</translation>
    </message>
    <message id="qtn_comm_account_close">
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message id="qtn_comm_account_error_address">
        <source>Enter the address of the service, for example %1.</source>
        <translation>Ingresa la dirección del servicio, por ejemplo %1.</translation>
    </message>
    <message id="qtn_comm_account_error_missing">
        <source>Enter your user name and password.</source>
        <translation>Ingresa tu nombre de usuario y tu contraseña.</translation>
    </message>
    <message id="qtn_comm_account_error_credentials">
        <source>Wrong user name or password.</source>
        <translation>Nombre de usuario o contraseña incorrectos.</translation>
    </message>
    <message id="qtn_comm_account_error_deleted">
        <source>This account has been deleted.</source>
        <translation>Esta cuenta fue eliminada.</translation>
    </message>
    <message id="qtn_comm_account_error_clock">
        <source>The date and time of this computer are wrong. Correct them and try again.</source>
        <translation>La fecha y la hora de esta computadora no son correctas. Corrígelas y vuelve a intentarlo.</translation>
    </message>
    <message id="qtn_comm_account_error_client">
        <source>The service does not accept this program. Check the service address.</source>
        <translation>El servicio no acepta este programa. Revisa la dirección del servicio.</translation>
    </message>
    <message id="qtn_comm_account_error_unreachable">
        <source>Cannot reach the service at %1. Check the address and your connection.</source>
        <translation>No se puede conectar con el servicio en %1. Revisa la dirección y tu conexión.</translation>
    </message>
    <message id="qtn_comm_account_error_busy">
        <source>Signing in is already in progress.</source>
        <translation>Ya se está iniciando sesión.</translation>
    </message>
    <message id="qtn_comm_account_error_service_says">
        <source>The service could not sign you in: %1</source>
        <translation>El servicio no pudo iniciar tu sesión: %1</translation>
    </message>
    <message id="qtn_comm_account_error_service">
        <source>The service could not sign you in. Try again later.</source>
        <translation>El servicio no pudo iniciar tu sesión. Vuelve a intentarlo más tarde.</translation>
    </message>
    <message id="qtn_comm_account_error_change">
        <source>The account could not be changed.</source>
        <translation>No se pudo cambiar la cuenta.</translation>
    </message>
    <message id="qtn_comm_account_error_save">
        <source>The account could not be saved: %1</source>
        <translation>No se pudo guardar la cuenta: %1</translation>
    </message>
    <message id="qtn_comm_account_error_incomplete">
        <source>The account is incomplete.</source>
        <translation>La cuenta está incompleta.</translation>
    </message>
    <message id="qtn_comm_account_error_folder">
        <source>Cannot create %1.</source>
        <translation>No se puede crear %1.</translation>
    </message>
    <message id="qtn_comm_notify_new_mention">
        <source>New mention</source>
        <translation>Nueva mención</translation>
    </message>
    <message id="qtn_comm_notify_new_mentions" numerus="yes">
        <source>%Ln new mentions</source>
        <translation>
            <numerusform>%Ln nueva mención</numerusform>
            <numerusform>%Ln nuevas menciones</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_notify_new_message">
        <source>New message</source>
        <translation>Nuevo mensaje</translation>
    </message>
    <message id="qtn_comm_notify_new_messages" numerus="yes">
        <source>%Ln new messages</source>
        <translation>
            <numerusform>%Ln nuevo mensaje</numerusform>
            <numerusform>%Ln nuevos mensajes</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_notify_show">
        <source>Show</source>
        <translation>Mostrar</translation>
    </message>
</context>
</TS>
