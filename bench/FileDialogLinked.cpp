#include "FileDialog.h"

bool ShowOpenDialog(OPENFILENAMEA& request)
{
    return GetOpenFileNameA(&request) != FALSE;
}
