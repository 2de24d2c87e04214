// The dispatch object that WebRequest hands to its component as the state-change handler: the
// seven entry points of an automation dispatch interface, with one reference count shared by every
// such object and one routine, program-wide, that Invoke calls. Only the user-interface thread
// touches them.
#pragma once

#include <array>
#include <cstdint>

namespace web {

// An interface identifier.
struct Guid {
  std::uint32_t data1;
  std::uint16_t data2;
  std::uint16_t data3;
  std::array<std::uint8_t, 8> data4;
  bool operator==(const Guid&) const = default;
};

inline constexpr Guid kIidIDispatch = {0x00020400, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr Guid kIidIUnknown = {0x00000000, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

using HResult = std::int32_t;
inline constexpr HResult kSOk = 0;
inline constexpr HResult kENotImpl = static_cast<HResult>(0x80004001);
inline constexpr HResult kENoInterface = static_cast<HResult>(0x80004002);

class EventSink;

// The nine arguments of Invoke, in their order, as the routine receives them.
struct InvokeArguments {
  EventSink* self;
  std::int32_t member_id;
  const Guid* iid;
  std::uint32_t locale;
  std::uint16_t flags;
  void* parameters;
  void* result;
  void* exception_info;
  std::uint32_t* argument_error;
};

using StateChangeRoutine = void (*)(const InvokeArguments* arguments);

// The routine Invoke calls, for every dispatch object; a later SetStateChangeHandler replaces it.
inline StateChangeRoutine state_change_handler = nullptr;
// The reference count shared by every dispatch object; starts at 0 and never frees anything.
inline std::int32_t sink_ref_count = 0;

class EventSink {
 public:
  // Hands out this object and counts a reference for IID_IDispatch; null and E_NOINTERFACE for
  // any other identifier, IID_IUnknown included.
  HResult QueryInterface(const Guid& iid, void** object);
  std::int32_t AddRef();                           // the shared count after adding 1
  std::int32_t Release();                          // the shared count after taking 1
  HResult GetTypeInfoCount(std::uint32_t* count);  // 1
  HResult GetTypeInfo(std::uint32_t index, std::uint32_t locale, void** info);  // E_NOTIMPL
  HResult GetIDsOfNames(const Guid& iid, char16_t** names, std::uint32_t count,
                        std::uint32_t locale, std::int32_t* ids);  // E_NOTIMPL
  // Calls state_change_handler (when set) with the nine arguments; S_OK whatever it does.
  HResult Invoke(std::int32_t member_id, const Guid& iid, std::uint32_t locale, std::uint16_t flags,
                 void* parameters, void* result, void* exception_info,
                 std::uint32_t* argument_error);
};

}  // namespace web
