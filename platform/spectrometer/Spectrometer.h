/* The spectrometer driver library's C interface: 25 functions with the prefix SP.
 *
 * A device is addressed by an integer id from SPGetAllDevices and, once open, by an opaque
 * handle (NULL = none). Texts come back in caller buffers of SP_TEXT_SIZE narrow characters.
 * Unless a comment says "== 1", success is any nonzero result. Pixels count from 1.
 */
#ifndef CORVANE_SPECTROMETER_H
#define CORVANE_SPECTROMETER_H

#ifdef __cplusplus
extern "C" {
#endif

typedef void* SPHANDLE;

#define SP_TEXT_SIZE 128     /* every text buffer */
#define SP_DATE_SIZE 64      /* date text of SPSetCalData */
#define SP_MAX_DEVICES 10    /* ids SPGetAllDevices may fill */
#define SP_MAX_PIXELS 3700   /* frame buffer of SPReadDoubleCCD */
#define SP_MAX_NL_COEFFS 10  /* buffer of SPReadNLCalData */
#define SP_SIMULATOR_ID 9999 /* the driver's simulated instrument */

#define SP_STATE_IDLE 1
#define SP_STATE_CONNECTED 2

/* Fills at most SP_MAX_DEVICES ids of attached devices; the result is not relied on. */
int SPGetAllDevices(int* ids, int* count);
/* Opens a device; NULL on failure. */
SPHANDLE SPConnect(int id);
int SPClose(SPHANDLE handle);
/* 1 idle, 2 connected; may be called with a NULL or closed handle. */
int SPSetState(SPHANDLE handle, int state);

int SPGetDeviceModelName(SPHANDLE handle, char* text);
int SPGetSN(SPHANDLE handle, char* text);
/* month.day.year */
int SPGetFirmWareVer(SPHANDLE handle, char* text);
/* label, colon, value */
int SPGetResolution(SPHANDLE handle, char* text);
int SPGetSlit(SPHANDLE handle, char* text);
int SPGetGratting(SPHANDLE handle, char* text);
int SPGetLens(SPHANDLE handle, char* text);
int SPGetFilter(SPHANDLE handle, char* text);

/* Wavelength polynomial C0..C3 and the calibration date text. */
int SPReadCalData(SPHANDLE handle, double* coeffs, char* text);
/* date formatted "%d-%02d-%02d" (year, month, day) */
int SPSetCalData(SPHANDLE handle, const double* coeffs, const char* date);

/* Usable pixels = a - b. */
int SPGetCCDInfo(SPHANDLE handle, int* a, int* b, int* c);
int SPGetWaveLengthRange(SPHANDLE handle, double* first, double* last);
/* == 1 on success; microseconds */
int SPGetIntegrateTimeRange(SPHANDLE handle, int* minUs, int* maxUs);
/* 16-bit protocol version; above 0x101 the device has grating, lens, filter and trigger output */
unsigned short SPGetComProtocol(SPHANDLE handle);
/* ADC bits; full scale is 2^bits */
int SPGetADDigits(SPHANDLE handle);
/* Nonlinearity coefficients; callers use them only when *count == 6. */
int SPReadNLCalData(SPHANDLE handle, double* coeffs, int* count);

/* == 1 on success */
int SPConfig(SPHANDLE handle, int integrationUs, int boxcar, int triggerMode);
int SPSetTriggerPulse(SPHANDLE handle, int highMs, int lowMs, int pulses, int enable);
/* Pixels written (at most SP_MAX_PIXELS); 0 = no frame. */
unsigned short SPReadDoubleCCD(SPHANDLE handle, double* buffer);
double SPPixelToWaveLength(SPHANDLE handle, int pixel);
int SPWaveLengthToPixel(SPHANDLE handle, double nm);

#ifdef __cplusplus
}
#endif

#endif /* CORVANE_SPECTROMETER_H */
