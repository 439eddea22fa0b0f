#pragma once
// The model list loader as the source of the list box "xmodels": the names it shows and the full
// names of the rows the list box shortened. LoaderMutex guards all of it, so the list box holds
// it for its whole frame while the listing thread may be appending.
#include <mutex>
#include <string>
#include <vector>

#include "gui/list_source.h"
#include "model/vorn_loader.h"

class XmodelListSource : public ListSource {
 public:
  explicit XmodelListSource(VornLoader& loader) : loader_(loader) {}

  std::mutex& Mutex() override { return LoaderMutex; }
  std::vector<std::string>* ShownNames() override { return loader_.shownNames; }
  bool ShortenPending() const override { return loader_.shortenPending; }
  void ClearShortenPending() override { loader_.shortenPending = false; }
  bool ListReady() const override { return loader_.listReady; }
  void ClearFullNames() override {
    if (loader_.shownList) loader_.shownList->Clear();
  }
  void AddFullName(const std::string& fullName, int index) override {
    if (loader_.shownList) loader_.shownList->AddRow(fullName, index);
  }
  std::string FullName(int index) override {
    ListData* data = loader_.shownList;
    return data && data->IndexOfValue(index) ? data->RowName() : std::string();
  }

 private:
  VornLoader& loader_;
};
