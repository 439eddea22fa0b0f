#pragma once
// ListSource: where a list box gets the names it shows. The source may be filled by another
// thread (a folder listing), so the list box holds Mutex() for its whole frame and calls every
// other member only while it holds it. The source also keeps the full names of the rows the list
// box shortened to fit its width, so that a click, an arrow key or "Copy Name" passes on the
// full name.
#include <mutex>
#include <string>
#include <vector>

class ListSource {
 public:
  virtual ~ListSource() = default;

  // The mutex that guards everything below.
  virtual std::mutex& Mutex() = 0;
  // The names to show; null while there is nothing to show. The list box may replace entries
  // by their shortened texts.
  virtual std::vector<std::string>* ShownNames() = 0;
  // A new list is shown and has not been shortened yet; ClearShortenPending marks it done.
  virtual bool ShortenPending() const = 0;
  virtual void ClearShortenPending() = 0;
  // The listing has finished: rows answer clicks only then.
  virtual bool ListReady() const = 0;
  // Forgets the full names of the shortened rows; records one (row index = index).
  virtual void ClearFullNames() = 0;
  virtual void AddFullName(const std::string& fullName, int index) = 0;
  // The full name of row index when it was shortened, else the empty text.
  virtual std::string FullName(int index) = 0;
};
