' Bouncing balls for the Colour Maximite 2
Option Explicit
Option Default Integer
#Include "lib.inc"
Const MAXB = 8, GRAV! = 9.81E-1
Dim col(15), x!(MAXB), mask = &HFF, bits = &b1010, oct = &O17
REM read the palette
For f=1 To 15:Read col(f):Next
Data &H00FF00, &hFF0000, 1.5e-3, .5, 5.
x=1:y=2:Print x;y
If x<y Then Print "less: ";x Else REM nothing
REMAINDER = 1
Main:
  Do
    k$=Inkey$:If k$<>"" Then Exit Do
    lx.start = lx.left + ctrl.END
    Print MM.INFO(FONTHEIGHT), MM.HRES^2\3
  Loop
  GoTo Main
10 REM numbered line
20:Next
Sub Draw(a.b, c)
  Local i: For i=1 To 3: Print i: Next i
End Sub
Function Area!(r!)
  Area! = Pi*r!^2 ' "quoted"
End Function
