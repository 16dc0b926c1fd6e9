# Flat button: type and state rules and drawing geometry (portable), the
# owner-drawn button (Win32).
list(APPEND CONTROLS_PORTABLE FooButtonState.cpp FooButtonGeometry.cpp)
list(APPEND CONTROLS_WINDOWS CFooButton.cpp)
