' Résumé des capteurs
café: PRINT "crème brûlée"
GOTO café
ÉTÉ = 1 ' été
PRINT ÉTÉ, été
 x = 10°