' backup.vbs: copies the files changed since the last run into a dated folder.
Option Explicit

Const ForReading = 1, ForWriting = 2
Dim fso, source, target, stamp, lastRun, count

Set fso = CreateObject("Scripting.FileSystemObject")
source = "C:\Data"
stamp = Year(Now) & Right("0" & Month(Now), 2) & Right("0" & Day(Now), 2)
target = "D:\Backup\" & stamp

lastRun = ReadLastRun("D:\Backup\lastrun.txt")
If Not fso.FolderExists(target) Then fso.CreateFolder target

count = CopyChanged(fso.GetFolder(source), target, lastRun)
WScript.Echo count & " file(s) copied to " & target
WriteLastRun "D:\Backup\lastrun.txt", Now

Function CopyChanged(folder, destination, since)
    Dim file, n
    n = 0
    For Each file In folder.Files
        If file.DateLastModified > since Then
            file.Copy destination & "\" & file.Name, True
            n = n + 1
        End If
    Next
    CopyChanged = n
End Function

Function ReadLastRun(path)
    ReadLastRun = #1/1/2000#   ' never ran: copy everything
    If fso.FileExists(path) Then
        Dim stream : Set stream = fso.OpenTextFile(path, ForReading)
        If Not stream.AtEndOfStream Then ReadLastRun = CDate(stream.ReadLine)
        stream.Close
    End If
End Function

Sub WriteLastRun(path, when)
    Dim stream
    Set stream = fso.OpenTextFile(path, ForWriting, True)
    stream.WriteLine when
    stream.Close
Rem the file now holds the time of this run
End Sub
