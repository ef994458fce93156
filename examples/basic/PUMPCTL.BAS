#MODULE
Pump station controller: PI control of the tank level while the pump runs,
start and stop levels with hysteresis, fault stop, run status and a status text.
#INPUTS
Tank level:LEVEL
Level setpoint:SETPT
Proportional gain:KP
Integral gain:KI
Loop period in seconds:DT
Pump fault contact:FAULT!
Start level:STARTLVL
Stop level:STOPLVL
#OUTPUTS
Pump speed command:SPEED
Pump run status:RUN!
Pump status text:STATE$[20]
Integral term:ITERM
#CODE
' A pump fault stops everything at once
IF FAULT! THEN
  RUN! = 0
  SPEED = 0
  ITERM = 0
  STATE$ = "FAULT"
  GOTO DONE
ENDIF
IF LEVEL >= STARTLVL THEN RUN! = 1
IF LEVEL <= STOPLVL THEN RUN! = 0
IF RUN! = 0 THEN
  SPEED = 0
  STATE$ = "STOPPED"
ELSE
  GOSUB PICALC
  STATE$ = "RUNNING " + STR$(INT(SPEED)) + "%"
ENDIF
DONE:
END

' PI calculation; the integral is clamped so that it cannot wind up
PICALC:
ERROR = LEVEL - SETPT
ITERM = ITERM + KI * ERROR * DT
IF ITERM > 100 THEN ITERM = 100
IF ITERM < 0 THEN ITERM = 0
SPEED = KP * ERROR + ITERM
IF SPEED > 100.0 THEN
  SPEED = 100.0
ELSE
  IF SPEED < 0 THEN SPEED = 0
ENDIF
RETURN
