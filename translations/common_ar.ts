<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ar" sourcelanguage="en">
<context>
    <name></name>
    <message id="qtn_comm_date_time">
        <source>%1 at %2</source>
        <translation>%1 في %2</translation>
    </message>
    <message id="qtn_comm_share_incorrect_date">
        <source>Incorrect date and time</source>
        <translation>التاريخ والوقت غير صحيحين</translation>
    </message>
    <message id="qtn_comm_time_moment_ago">
        <source>A moment ago</source>
        <translation>منذ لحظات</translation>
    </message>
    <message id="qtn_comm_time_sec_ago" numerus="yes">
        <source>%Ln seconds ago</source>
        <translation>
            <numerusform>منذ %Ln ثانية</numerusform>
            <numerusform>منذ %Ln ثانية</numerusform>
            <numerusform>منذ %Ln ثانية</numerusform>
            <numerusform>منذ %Ln ثوانٍ</numerusform>
            <numerusform>منذ %Ln ثانية</numerusform>
            <numerusform>منذ %Ln ثانية</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_time_minute_ago" numerus="yes">
        <source>%Ln minutes ago</source>
        <translation>
            <numerusform>منذ %Ln دقيقة</numerusform>
            <numerusform>منذ %Ln دقيقة</numerusform>
            <numerusform>منذ %Ln دقيقة</numerusform>
            <numerusform>منذ %Ln دقائق</numerusform>
            <numerusform>منذ %Ln دقيقة</numerusform>
            <numerusform>منذ %Ln دقيقة</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_time_hours_ago" numerus="yes">
        <source>%Ln hours ago</source>
        <translation>
            <numerusform>منذ %Ln ساعة</numerusform>
            <numerusform>منذ %Ln ساعة</numerusform>
            <numerusform>منذ %Ln ساعة</numerusform>
            <numerusform>منذ %Ln ساعات</numerusform>
            <numerusform>منذ %Ln ساعة</numerusform>
            <numerusform>منذ %Ln ساعة</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_account_title">
        <source>Zirrup account</source>
        <translation>حساب Zirrup</translation>
    </message>
    <message id="qtn_comm_account_sign_in_title">
        <source>Sign in to Zirrup</source>
        <translation>تسجيل الدخول إلى Zirrup</translation>
    </message>
    <message id="qtn_comm_account_service">
        <source>Service address</source>
        <translation>عنوان الخدمة</translation>
    </message>
    <message id="qtn_comm_account_user_name">
        <source>User name</source>
        <translation>اسم المستخدم</translation>
    </message>
    <message id="qtn_comm_account_password">
        <source>Password</source>
        <translation>كلمة المرور</translation>
    </message>
    <message id="qtn_comm_account_cancel">
        <source>Cancel</source>
        <translation>إلغاء</translation>
    </message>
    <message id="qtn_comm_account_sign_in">
        <source>Sign in</source>
        <translation>تسجيل الدخول</translation>
    </message>
    <message id="qtn_comm_account_signed_in_as">
        <source>Signed in as @%1</source>
        <translation>مسجّل الدخول باسم @%1</translation>
    </message>
    <message id="qtn_comm_account_use">
        <source>Use this account</source>
        <translation>استخدام هذا الحساب</translation>
    </message>
    <message id="qtn_comm_account_sign_out">
        <source>Sign out</source>
        <translation>تسجيل الخروج</translation>
    </message>
    <message id="qtn_comm_account_close">
        <source>Close</source>
        <translation>إغلاق</translation>
    </message>
    <message id="qtn_comm_account_error_address">
        <source>Enter the address of the service, for example %1.</source>
        <translation>أدخل عنوان الخدمة، مثل %1.</translation>
    </message>
    <message id="qtn_comm_account_error_missing">
        <source>Enter your user name and password.</source>
        <translation>أدخل اسم المستخدم وكلمة المرور.</translation>
    </message>
    <message id="qtn_comm_account_error_credentials">
        <source>Wrong user name or password.</source>
        <translation>اسم المستخدم أو كلمة المرور غير صحيحة.</translation>
    </message>
    <message id="qtn_comm_account_error_deleted">
        <source>This account has been deleted.</source>
        <translation>تم حذف هذا الحساب.</translation>
    </message>
    <message id="qtn_comm_account_error_clock">
        <source>The date and time of this computer are wrong. Correct them and try again.</source>
        <translation>تاريخ هذا الحاسوب ووقته غير صحيحين. صحّحهما ثم حاول مرة أخرى.</translation>
    </message>
    <message id="qtn_comm_account_error_client">
        <source>The service does not accept this program. Check the service address.</source>
        <translation>لا تقبل الخدمة هذا البرنامج. تحقق من عنوان الخدمة.</translation>
    </message>
    <message id="qtn_comm_account_error_unreachable">
        <source>Cannot reach the service at %1. Check the address and your connection.</source>
        <translation>يتعذّر الوصول إلى الخدمة على %1. تحقق من العنوان ومن اتصالك.</translation>
    </message>
    <message id="qtn_comm_account_error_busy">
        <source>Signing in is already in progress.</source>
        <translation>تسجيل الدخول جارٍ بالفعل.</translation>
    </message>
    <message id="qtn_comm_account_error_service_says">
        <source>The service could not sign you in: %1</source>
        <translation>تعذّر على الخدمة تسجيل دخولك: %1</translation>
    </message>
    <message id="qtn_comm_account_error_service">
        <source>The service could not sign you in. Try again later.</source>
        <translation>تعذّر على الخدمة تسجيل دخولك. حاول مرة أخرى لاحقًا.</translation>
    </message>
    <message id="qtn_comm_account_error_change">
        <source>The account could not be changed.</source>
        <translation>تعذّر تغيير الحساب.</translation>
    </message>
    <message id="qtn_comm_account_error_save">
        <source>The account could not be saved: %1</source>
        <translation>تعذّر حفظ الحساب: %1</translation>
    </message>
    <message id="qtn_comm_account_error_incomplete">
        <source>The account is incomplete.</source>
        <translation>بيانات الحساب غير مكتملة.</translation>
    </message>
    <message id="qtn_comm_account_error_folder">
        <source>Cannot create %1.</source>
        <translation>يتعذّر إنشاء %1.</translation>
    </message>
    <message id="qtn_comm_notify_new_mention">
        <source>New mention</source>
        <translation>إشارة جديدة</translation>
    </message>
    <message id="qtn_comm_notify_new_mentions" numerus="yes">
        <source>%Ln new mentions</source>
        <translation>
            <numerusform>%Ln إشارة جديدة</numerusform>
            <numerusform>%Ln إشارة جديدة</numerusform>
            <numerusform>%Ln إشارة جديدة</numerusform>
            <numerusform>%Ln إشارات جديدة</numerusform>
            <numerusform>%Ln إشارة جديدة</numerusform>
            <numerusform>%Ln إشارة جديدة</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_notify_new_message">
        <source>New message</source>
        <translation>رسالة جديدة</translation>
    </message>
    <message id="qtn_comm_notify_new_messages" numerus="yes">
        <source>%Ln new messages</source>
        <translation>
            <numerusform>%Ln رسالة جديدة</numerusform>
            <numerusform>%Ln رسالة جديدة</numerusform>
            <numerusform>%Ln رسالة جديدة</numerusform>
            <numerusform>%Ln رسائل جديدة</numerusform>
            <numerusform>%Ln رسالة جديدة</numerusform>
            <numerusform>%Ln رسالة جديدة</numerusform>
        </translation>
    </message>
    <message id="qtn_comm_notify_show">
        <source>Show</source>
        <translation>عرض</translation>
    </message>
</context>
</TS>
