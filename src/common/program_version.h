#pragma once
// The toolkit's version, which --version of every program shows.
namespace zov {

inline constexpr char kToolkitVersion[] = "1.0.0";

}  // namespace zov
