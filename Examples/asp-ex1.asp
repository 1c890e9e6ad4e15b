<%@ Language=VBScript %>
<% Option Explicit %>
<!-- #include file="inc/header.asp" -->
<%
' Guest book: lists the latest entries and takes a new one.
Const MAX_ENTRIES = 20
Dim conn, rs, sql, name, message

name = Trim(Request.Form("name"))
message = Trim(Request.Form("message"))

Set conn = Server.CreateObject("ADODB.Connection")
conn.Open Application("GuestBookDSN")

If Request.ServerVariables("REQUEST_METHOD") = "POST" And Len(name) > 0 Then
    sql = "INSERT INTO Entries (Name, Message, Posted) VALUES ('" & _
          Replace(name, "'", "''") & "', '" & Replace(message, "'", "''") & "', #" & Now() & "#)"
    conn.Execute sql
    Response.Redirect "guestbook.asp"
End If

Set rs = conn.Execute("SELECT TOP " & MAX_ENTRIES & " Name, Message, Posted FROM Entries ORDER BY Posted DESC")
%>
<html>
<head>
  <title>Guest book</title>
  <style type="text/css">
    body { font-family: Verdana, sans-serif; font-size: 10pt; }
    .posted { color: #808080; }
  </style>
  <script language="JavaScript">
    function checkForm(form) {
      if (form.name.value.length == 0) { alert("Please enter your name."); return false; }
      return true;
    }
  </script>
</head>
<body>
<h1>Guest book &mdash; <%= Year(Date) %></h1>
<% If rs.EOF Then %>
  <p>No entries yet. Be the first!</p>
<% Else
     Do While Not rs.EOF %>
  <p><b><%= Server.HTMLEncode(rs("Name")) %></b>
     <span class="posted"><%= FormatDateTime(rs("Posted"), vbShortDate) %></span><br>
     <%= Server.HTMLEncode(rs("Message")) %></p>
<%     rs.MoveNext
     Loop
   End If
   rs.Close
   conn.Close %>
<form method="post" action="guestbook.asp" onsubmit="return checkForm(this)">
  Name: <input type="text" name="name" size="30"><br>
  Message:<br><textarea name="message" rows="4" cols="40"></textarea><br>
  <input type="submit" value="Sign">
</form>
<script language="VBScript" runat="server">
Function Greeting(hour)
    If hour < 12 Then Greeting = "Good morning" Else Greeting = "Good afternoon"
End Function
</script>
<p><%= Greeting(Hour(Now)) %> &amp; thank you for visiting.</p>
</body>
</html>
