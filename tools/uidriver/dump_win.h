// The `dump` listing: tab-separated records, one per line.
//
//   window   title= class= pid= rect= client= visible= enabled= topmost=
//            foreground= minbox= maxbox= sizable= owner= style= exstyle=
//   control  #N class= kind= id= text= rect= rel= visible= enabled= focus=
//            parent= group= style= and, by kind: default= (pushbutton), check=
//            (checkbox, radio), readonly= (edit), notify= (label),
//            pos= min= max= line= page= vertical= (trackbar)
//   menu     path= kind= id= enabled= checked=
//
// Rectangles are left,top,right,bottom: rect= and client= on the screen,
// rel= inside the parent's client area. parent= and group= name other
// controls by their #N (group: the group box drawn around the control).
// Text values are escaped (\\ \t \r \n).
#pragma once
#include <windows.h>

#include <string>

namespace uidriver {

std::wstring WindowRecord(HWND window);
void DumpWindow(HWND window);

}  // namespace uidriver
