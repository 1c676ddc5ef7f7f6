// The one notice a command prints while its work is not available yet.
#pragma once

void Print_Pending_Notice();
