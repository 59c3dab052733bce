' Token rules: blanks, separators and delimiters, strings, comments, numbers, words
PRINT "Hello, world"
print "it's here" ' a string holding an apostrophe
Print "unterminated
x = 5 ' five
y=x*2+.5-5.
z = 1.2.3
h = &HFF + 1E5 + 12abc + 7
a$ = "a" + "b": ? a$
?x
IF x >= 10 THEN PRINT x(1), y[2] ELSE GOTO Start
n% = (x MOD 3) / 4 - -2
	PRINT	 x  	'	tabs
""""""
"""
"
'
Start: PRINT "done": GOTO Start
PRINTER = PRINT + printx
10 PRINT 20 : 30.5
