/* The built-in simulator driver: all 25 SP functions of Spectrometer.h, behaving like a real
 * instrument (about 2048 usable pixels plus hidden ones, a third-order wavelength polynomial
 * over roughly 200-1100 nm, a 16-bit ADC, 10 us .. 60 s integration paced in real time, shot,
 * read and dark noise, saturation, boxcar smoothing, six nonlinearity coefficients, protocol
 * 0x102), plus a small control interface of its own for the scene and for fault injection.
 *
 * Id 9999 is always there and never unplugged. Further simulated USB instruments can be
 * plugged in (they are then reported by SPGetAllDevices) and unplugged again.
 */
#ifndef CORVANE_SIMULATOR_H
#define CORVANE_SIMULATOR_H

#ifdef __cplusplus
extern "C" {
#endif

enum CorvaneSimScene {
    CORVANE_SIM_DARK = 0, /* shutter closed */
    CORVANE_SIM_LAMP = 1, /* tungsten-halogen lamp, about 2856 K, through the instrument response */
    CORVANE_SIM_SAMPLE = 2, /* the lamp through a sample with absorption bands */
    CORVANE_SIM_LINES = 3,  /* mercury-argon emission lines */
    CORVANE_SIM_LED = 4,    /* a green LED */
};

enum CorvaneSimFault {
    CORVANE_SIM_FAULT_ZERO_READS = 1,   /* the next N reads return 0 points */
    CORVANE_SIM_FAULT_CONNECT_FAIL = 2, /* nonzero: every SPConnect fails */
    CORVANE_SIM_FAULT_SLOW_READ_MS = 3, /* every read takes this much longer */
    CORVANE_SIM_FAULT_NL_FAIL = 4,      /* nonzero: SPReadNLCalData fails */
};

/* Back to the state at load: lamp scene, no plugged instruments, no faults, real-time pacing. */
void corvaneSimReset(void);
void corvaneSimSetScene(int scene);
int corvaneSimScene(void);
/* Attaches a simulated USB instrument with this id (not 9999); 0 when the id is in use. */
int corvaneSimPlug(int id);
/* Detaches it: SPGetAllDevices no longer reports it and its handles stop answering. */
int corvaneSimUnplug(int id);
void corvaneSimSetFault(int fault, int value);
/* Nonzero: reads wait for the integration time plus readout, as a real instrument does. */
void corvaneSimSetRealtime(int on);
/* Changes an identity field of instrument id (also 9999) for later opens: "model", "serial",
 * "firmware", "protocol" (number), "adbits" (number). 0 for an unknown id or key. */
int corvaneSimSetIdentity(int id, const char* key, const char* value);
/* Driver calls that arrived with a handle that was already closed (or never opened). */
long corvaneSimStaleHandleCalls(void);
/* Handles open at the moment. */
int corvaneSimOpenHandles(void);

#ifdef __cplusplus
}

#include "platform/spectrometer/SpectrometerApi.h"

/// The simulator's table of the 25 functions.
const SpectrometerApi& simulatorApi();
#endif

#endif /* CORVANE_SIMULATOR_H */
