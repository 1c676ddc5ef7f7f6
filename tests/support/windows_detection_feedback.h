// The commands' detection feedback, for tests that answer its chooser and progress window
// from the session script.
#pragma once

#include "ui/dialog_detection_feedback.h"

inline Dialog_Detection_Feedback In_Windows;
