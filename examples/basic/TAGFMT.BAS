#MODULE
Telemetry text parser: splits a received NAME=VALUE text into its name and
value, counts bad messages and builds a display line in percent of full scale.
#INPUTS
Received text:RXTEXT$[32]
Display prefix:PREFIX$[8]
Full scale value:SCALE
#OUTPUTS
Tag name:TAG$[12]
Tag value:TAGVAL
Value in percent:PCT%
Bad message counter:BADMSG%
Display line:LINE$[40]
Message valid:VALID!
#CODE
' Find the "=" that separates the name from the value
N% = LEN(RXTEXT$)
P% = 1
SCAN:
IF P% > N% THEN GOTO BAD
IF MID$(RXTEXT$, P%, 1) = "=" THEN GOTO FOUND
P% = P% + 1
GOTO SCAN

FOUND:
IF P% = 1 THEN GOTO BAD
TAG$ = LEFT$(RXTEXT$, P% - 1)
TAGVAL = VAL(RIGHT$(RXTEXT$, N% - P%))
VALID! = 1
GOSUB FORMAT
END

BAD:
BADMSG% = BADMSG% + 1
VALID! = 0
TAG$ = "?"
TAGVAL = 0
GOSUB FORMAT
END

' Display line: prefix, name and the value in percent of full scale
FORMAT:
IF SCALE > 0 THEN
  PCT% = INT(TAGVAL * 100 / SCALE)
ELSE
  PCT% = 0
ENDIF
LINE$ = PREFIX$ + " " + TAG$ + " " + STR$(PCT%) + "%"
RETURN
