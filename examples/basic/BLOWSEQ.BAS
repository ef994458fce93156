#MODULE
Blower sequencer: runs the lead blower on demand and alternates the lead at
every start, counts the starts and raises a low pressure alarm after a delay.
#INPUTS
Header pressure:PRESS
Low pressure limit:LOWLIM
Demand contact:DEMAND!
Blower A ready:READYA!
Blower B ready:READYB!
Alarm delay in scans:DELAY%
#OUTPUTS
Run blower A:RUNA!
Run blower B:RUNB!
Low pressure alarm:LOWALM!!
Alarm delay timer:ALMTMR%%
Lead blower number:LEAD%
Start counter:STARTS%
Sequencer message:MSG$[24]
#CODE
' No demand: both blowers stop
IF DEMAND! = 0 THEN
  RUNA! = 0
  RUNB! = 0
  MSG$ = "IDLE"
  GOTO ALARMS
ENDIF
' A new start when both blowers are stopped: swap the lead first
IF (RUNA! = 0) AND (RUNB! = 0) THEN GOSUB ALTERNATE
IF LEAD% = 1 THEN
  RUNA! = READYA!
  RUNB! = NOT READYA! AND READYB!
ELSE
  RUNB! = READYB!
  RUNA! = NOT READYB! AND READYA!
ENDIF
MSG$ = "LEAD " + CHR$(64 + LEAD%) + " STARTS " + STR$(STARTS%)

ALARMS:
IF (PRESS < LOWLIM) AND (DEMAND! = 1) THEN
  ALMTMR%% = ALMTMR%% + 1
ELSE
  ALMTMR%% = 0
ENDIF
IF ALMTMR%% >= DELAY% THEN LOWALM!! = 1
ELSE LOWALM!! = 0
END

ALTERNATE:
IF LEAD% = 1 THEN LEAD% = 2
ELSE LEAD% = 1
STARTS% = STARTS% + 1
RETURN
