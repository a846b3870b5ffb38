// Every test starts from the program's state at start-up: the test programs' main runs
// ResetProgramState before each test, so no fixture can forget a global.
#pragma once

// Destroys the forms a test left (without their unload events), sets every program-state
// global, hook and override back to its start value, goes back to the start folder and
// drops a quit message left in the queue.
void ResetProgramState();
