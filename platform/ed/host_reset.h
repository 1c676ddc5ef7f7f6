// Resets of the editor's parts, for Reset_Host_For_Tests.
#pragma once

namespace platform {

void Remove_Plugin_Commands();
void Remove_All_Editor_Reactors();
void Remove_All_Document_Reactors();
void Remove_All_Message_Watchers();
void Reset_System_Variables();
void Reset_Input();
void Reset_Selection_Sets();

}  // namespace platform
