#pragma once
// Installs the factories of the measurement views this program has into the main frame's
// templates. Called once at start-up, before the main frame is created.

void registerMeasurementViews();
