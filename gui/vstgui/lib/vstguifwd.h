// Forward declarations and basic types of the GUI library layer.
#pragma once

#include <cstdint>

namespace VSTGUI {

using CCoord = double;
using UTF8StringPtr = const char*;
using IdStringPtr = const char*;
using CViewAttributeID = uint32_t;

struct CPoint;
struct CRect;
struct CColor;
struct CButtonState;
struct VstKeyCode;
class UTF8String;
class CResourceDescription;
class IReference;
class CBaseObject;
template <class I> class SharedPointer;

class CView;
class CViewContainer;
class CFrame;
class IViewListener;
class ViewListenerAdapter;
class CControl;
class IControlListener;
class CMouseWheelEditingSupport;
class CTextLabel;
class CMultiLineTextLabel;
class CTextEdit;
class CSearchTextEdit;
class COnOffButton;
class CVSTGUITimer;
class RunLoop;
class CBitmap;
class CDrawContext;
class CDrawMode;
class CLineStyle;
class CGraphicsPath;
struct CGraphicsTransform;

} // namespace VSTGUI
