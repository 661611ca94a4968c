// Simulated processes: ownership of windows and classes, and memory that
// another process can read.
#include <algorithm>
#include <cstring>

#include "platform/sim/sim_internal.h"
#include "platform/sim/sim_platform.h"

namespace platform::sim {

Pid SimPlatform::CreateProcess(std::string name) {
  const Pid pid = next_pid_++;
  auto process = std::make_unique<Process>();
  process->pid = pid;
  process->name = std::move(name);
  processes_[pid] = std::move(process);
  return pid;
}

void SimPlatform::SetProcessReadable(Pid pid, bool readable) {
  auto it = processes_.find(pid);
  if (it != processes_.end()) it->second->readable = readable;
}

void SimPlatform::KillProcess(Pid pid) {
  auto it = processes_.find(pid);
  if (it == processes_.end()) return;
  std::vector<Hwnd> doomed;
  for (Hwnd top : desktop_) {
    if (Find(top)->pid == pid) doomed.push_back(top);
  }
  for (Hwnd top : doomed) DestroyTree(top, false);
  // Children it placed inside other programs' windows go too.
  std::vector<Hwnd> rest;
  for (const auto& [handle, window] : windows_) {
    if (window->pid == pid) rest.push_back(handle);
  }
  for (Hwnd handle : rest) DestroyTree(handle, false);
  queue_.erase(std::remove_if(queue_.begin(), queue_.end(),
                              [&](const Posted& p) { return Find(p.window) == nullptr; }),
               queue_.end());
  Process& process = *it->second;
  process.alive = false;
  process.classes.clear();
  process.memory.clear();
}

ProcessHandle SimPlatform::OpenProcess(std::uint32_t access, bool inherit, Pid pid) {
  CallRecord& call = Log("OpenProcess");
  call.numbers = {access, inherit ? 1 : 0, pid};
  auto it = processes_.find(pid);
  if (it == processes_.end() || !it->second->alive || !it->second->readable ||
      (access & kProcessVmRead) == 0) {
    return ProcessHandle();
  }
  const std::uint32_t handle = next_process_handle_;
  next_process_handle_ += 4;
  process_handles_[handle] = pid;
  calls_.back().result = handle;
  return ProcessHandle(this, handle);
}

bool SimPlatform::ReadProcessMemory(std::uint32_t process, std::uint32_t address, void* buffer,
                                    std::size_t size, std::size_t* bytes_read) {
  CallRecord& call = Log("ReadProcessMemory");
  call.numbers = {process, address, static_cast<std::int64_t>(size)};
  if (bytes_read != nullptr) *bytes_read = 0;
  auto handle = process_handles_.find(process);
  if (handle == process_handles_.end()) return false;
  auto owner = processes_.find(handle->second);
  if (owner == processes_.end() || !owner->second->alive) return false;
  // The whole range must lie in one block; otherwise nothing is copied.
  const auto& memory = owner->second->memory;
  auto block = memory.upper_bound(address);
  if (block == memory.begin()) return false;
  --block;
  const std::uint64_t offset = static_cast<std::uint64_t>(address) - block->first;
  if (offset + size > block->second.size()) return false;
  if (size != 0) std::memcpy(buffer, block->second.data() + offset, size);
  if (bytes_read != nullptr) *bytes_read = size;
  calls_.back().result = 1;
  return true;
}

bool SimPlatform::CloseHandle(std::uint32_t handle) {
  Log("CloseHandle").numbers = {handle};
  const bool closed = process_handles_.erase(handle) != 0;
  calls_.back().result = closed;
  return closed;
}

std::uint32_t SimPlatform::AllocateSharedMemory(std::size_t size) {
  Process& process = *processes_.at(current_pid_);
  const std::uint32_t address = process.next_address;
  process.memory[address].assign(size, 0);
  // Keep blocks apart, 16-byte aligned, with a gap that catches overruns.
  process.next_address += static_cast<std::uint32_t>((size + 16 + 15) & ~std::size_t{15});
  return address;
}

bool SimPlatform::WriteOwnMemory(std::uint32_t address, const void* data, std::size_t size) {
  Process& process = *processes_.at(current_pid_);
  auto block = process.memory.upper_bound(address);
  if (block == process.memory.begin()) return false;
  --block;
  const std::uint64_t offset = static_cast<std::uint64_t>(address) - block->first;
  if (offset + size > block->second.size()) return false;
  if (size != 0) std::memcpy(block->second.data() + offset, data, size);
  return true;
}

}  // namespace platform::sim
