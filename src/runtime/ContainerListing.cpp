#include "runtime/ContainerListing.h"

namespace {

// The limit that a maxItems of 0 stands for.
constexpr int64_t kDefaultListLimit = 64;

}  // namespace

int64_t AppendListingHeader(CWString& out, int64_t total, int32_t maxItems) {
  const int64_t limit = maxItems == 0 ? kDefaultListLimit : maxItems;
  if (maxItems < 0 || total <= limit) {
    out.AppendFormat(L"<数组> 总共 %d 个成员:", static_cast<int32_t>(total));
    return total;
  }
  out.AppendFormat(L"<数组> 总共 %d 个成员,输出了 %d 个,还有 %d 个未被输出.", static_cast<int32_t>(total),
                   static_cast<int32_t>(limit), static_cast<int32_t>(total - limit));
  return limit;
}
