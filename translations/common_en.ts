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
</context>
</TS>
