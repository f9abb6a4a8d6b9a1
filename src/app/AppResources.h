#pragma once

// Registers the pictures compiled into the program (logo, JPEG).
void initAppResources();
