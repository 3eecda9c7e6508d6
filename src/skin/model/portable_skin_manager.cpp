#include "skin/model/portable_skin_manager.h"

#include <algorithm>

#include "skin/model/skin_data.h"

namespace tw {

void PortableSkinManager::Unregister(TSkinData& data) {
  std::erase(registered, &data);
  std::erase_if(pending, [&](const Request& r) { return r.data == &data; });
}

void PortableSkinManager::RunPending() {
  std::vector<Request> batch;
  batch.swap(pending);
  for (const Request& request : batch) {
    if (request.action == SkinAction::Activate)
      skinningOn = true;
    else if (request.action == SkinAction::Deactivate)
      skinningOn = false;
    done.push_back(request);
    request.data->SkinChanged();
  }
}

} // namespace tw
