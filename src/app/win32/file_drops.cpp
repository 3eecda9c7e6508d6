#include "app/win32/file_drops.h"

#include "runtime/win32/application.h"

namespace tw {

std::vector<std::string> DroppedFileNames(HDROP drop) {
  std::vector<std::string> names;
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileA(drop, i, nullptr, 0);
    std::string name(length + 1, '\0');
    name.resize(DragQueryFileA(drop, i, name.data(), length + 1));
    if (!name.empty())
      names.push_back(std::move(name));
  }
  return names;
}

FileDrops::FileDrops(TWKSForm& form, win::NativeControl& window) : form_(form), window_(window) {
  DragAcceptFiles(window.Handle(), TRUE);
  window.AddHook(this, [this](win::TMessage& m, const win::WindowProcHook& next) {
    if (m.msg != WM_DROPFILES) {
      next(m);
      return;
    }
    const auto drop = reinterpret_cast<HDROP>(m.wParam);
    std::vector<std::string> names;
    win::Application::Get().Guard([&] { names = DroppedFileNames(drop); });
    DragFinish(drop);
    win::Application::Get().Guard([&] { form_.FilesDropped(names); });
    m.result = 0;
  });
}

FileDrops::~FileDrops() {
  window_.RemoveHook(this);
  if (IsWindow(window_.Handle()))
    DragAcceptFiles(window_.Handle(), FALSE);
}

} // namespace tw
