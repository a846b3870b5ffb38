// Runs event handlers so that an error escaping one is reported, never thrown on.
#pragma once

#include <functional>
#include <string>

class Form;

// Runs the handler; an error that escapes it is shown as
// "Error N (description) in procedure P of Form F" and the program goes on.
void RunEvent(Form* form, const std::string& procedure, const std::function<void()>& handler);
