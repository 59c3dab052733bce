Select Case k
  Case 1: Print "one"
  Case Else
    rem fall through
End Select
Type point
  x As float
End Type
If a Then
  b = 1
End If
x=1.2.3
y=12abc+&HFG
Sub Tick: Print "t": End Sub
