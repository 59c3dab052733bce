Loop1:
  PRINT 1
GOTO Loop1
Finish:
SUB