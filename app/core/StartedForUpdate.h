#pragma once
// Set while the program was started to check for updates ("allways", "UpdateData") and while
// the running instance handles an update request handed over by a later start. The start-up
// choice of the timetable set does not load the default set while it is set.
namespace pelorvant {

bool startedForUpdate();
void setStartedForUpdate(bool value);

}  // namespace pelorvant
