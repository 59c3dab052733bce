Sub Main
  PRINT "main"
  IF x THEN EXIT SUB
End Sub

FUNCTION Area(w, h)
  Area = w * h
END FUNCTION

SUB Outer
  SUB Inner
  END SUB
END SUB
END SUB
end function
' SUB in a comment
PRINT "SUB in a string"
GOSUB Here
Here:
sub Tail: end sub
x = 1 ' END SUB
Function Last(a)
  Last = a
