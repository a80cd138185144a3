#pragma once

// The object names of the Virtual LCD window's parts, shared by its code
// and its tests.
namespace VirtualLcdNames {

inline constexpr char virtualDevice[] = "virtualDevice";
inline constexpr char virtualFaults[] = "virtualFaults";
inline constexpr char virtualPicture[] = "virtualPicture";
inline constexpr char virtualProgress[] = "virtualProgress";

} // namespace VirtualLcdNames
