// The simulator as a plug-in: exports the 25 SP functions by name, so that the loader can load
// it like a vendor's library.
#include "platform/simulator/Simulator.h"

extern "C" {

#define CORVANE_EXPORT __attribute__((visibility("default")))

CORVANE_EXPORT int SPGetAllDevices(int* ids, int* count) {
    return simulatorApi().getAllDevices(ids, count);
}
CORVANE_EXPORT SPHANDLE SPConnect(int id) {
    return simulatorApi().connect(id);
}
CORVANE_EXPORT int SPClose(SPHANDLE h) {
    return simulatorApi().close(h);
}
CORVANE_EXPORT int SPSetState(SPHANDLE h, int state) {
    return simulatorApi().setState(h, state);
}
CORVANE_EXPORT int SPGetDeviceModelName(SPHANDLE h, char* t) {
    return simulatorApi().getDeviceModelName(h, t);
}
CORVANE_EXPORT int SPGetSN(SPHANDLE h, char* t) {
    return simulatorApi().getSN(h, t);
}
CORVANE_EXPORT int SPGetFirmWareVer(SPHANDLE h, char* t) {
    return simulatorApi().getFirmWareVer(h, t);
}
CORVANE_EXPORT int SPGetResolution(SPHANDLE h, char* t) {
    return simulatorApi().getResolution(h, t);
}
CORVANE_EXPORT int SPGetSlit(SPHANDLE h, char* t) {
    return simulatorApi().getSlit(h, t);
}
CORVANE_EXPORT int SPGetGratting(SPHANDLE h, char* t) {
    return simulatorApi().getGratting(h, t);
}
CORVANE_EXPORT int SPGetLens(SPHANDLE h, char* t) {
    return simulatorApi().getLens(h, t);
}
CORVANE_EXPORT int SPGetFilter(SPHANDLE h, char* t) {
    return simulatorApi().getFilter(h, t);
}
CORVANE_EXPORT int SPReadCalData(SPHANDLE h, double* c, char* t) {
    return simulatorApi().readCalData(h, c, t);
}
CORVANE_EXPORT int SPSetCalData(SPHANDLE h, const double* c, const char* d) {
    return simulatorApi().setCalData(h, c, d);
}
CORVANE_EXPORT int SPGetCCDInfo(SPHANDLE h, int* a, int* b, int* c) {
    return simulatorApi().getCCDInfo(h, a, b, c);
}
CORVANE_EXPORT int SPGetWaveLengthRange(SPHANDLE h, double* f, double* l) {
    return simulatorApi().getWaveLengthRange(h, f, l);
}
CORVANE_EXPORT int SPGetIntegrateTimeRange(SPHANDLE h, int* lo, int* hi) {
    return simulatorApi().getIntegrateTimeRange(h, lo, hi);
}
CORVANE_EXPORT unsigned short SPGetComProtocol(SPHANDLE h) {
    return simulatorApi().getComProtocol(h);
}
CORVANE_EXPORT int SPGetADDigits(SPHANDLE h) {
    return simulatorApi().getADDigits(h);
}
CORVANE_EXPORT int SPReadNLCalData(SPHANDLE h, double* k, int* n) {
    return simulatorApi().readNLCalData(h, k, n);
}
CORVANE_EXPORT int SPConfig(SPHANDLE h, int us, int boxcar, int mode) {
    return simulatorApi().config(h, us, boxcar, mode);
}
CORVANE_EXPORT int SPSetTriggerPulse(SPHANDLE h, int hi, int lo, int n, int en) {
    return simulatorApi().setTriggerPulse(h, hi, lo, n, en);
}
CORVANE_EXPORT unsigned short SPReadDoubleCCD(SPHANDLE h, double* b) {
    return simulatorApi().readDoubleCCD(h, b);
}
CORVANE_EXPORT double SPPixelToWaveLength(SPHANDLE h, int p) {
    return simulatorApi().pixelToWaveLength(h, p);
}
CORVANE_EXPORT int SPWaveLengthToPixel(SPHANDLE h, double nm) {
    return simulatorApi().waveLengthToPixel(h, nm);
}

}  // extern "C"
