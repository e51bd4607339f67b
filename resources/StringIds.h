#pragma once
// String ids. Ids below 1000 are the ones the measurement applications' documentation fixes;
// ids from 1000 up are the program's own, one block per subsystem so that tables never collide:
//
//   1000-1099 core         1100-1299 device        1300-1399 acquisition
//   1400-1499 color        1500-1699 files         1700-1999 shell
//   2000-2099 shell/chart  2100-2999 apps
//
// Each block's names live in that subsystem's header (CoreStrings.h, DeviceStrings.h, ...).
