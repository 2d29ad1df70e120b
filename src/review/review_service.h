// What `zorvez review` answers: the state of the review, a class's review,
// completions from the target dictionary, and the changes its page asks for
// (a decision, an undo, the tool's accepted candidates, an Apply to the
// table and its undo, Quit). Every decision is in the decisions file on disk
// before it is answered as taken. When an input changes on disk the inputs
// are read again and the decisions carried as `suggest --decisions` carries
// them; an input that cannot be read leaves the last good state serving.
#ifndef ZOR_REVIEW_REVIEW_SERVICE_H_
#define ZOR_REVIEW_REVIEW_SERVICE_H_

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "lexicon/lexicon.h"
#include "review/input_watch.h"
#include "review/review_requests.h"
#include "review/review_run.h"
#include "review/review_server.h"
#include "review/typed_targets.h"

struct ReviewSetup {
  SuggestionRequest request;  // the inputs and the matcher's options; not its decisions file
  std::string decisions_path;
  std::string synonyms_path;  // watched with the inputs, or empty
  // Loads the lexicon (again: the synonyms file may have changed); null
  // when it cannot. `said` gets what it has to say, lines as standard
  // error shows them: why not, or a warning.
  std::function<std::shared_ptr<const Lexicon>(std::string& said)> load_lexicon;
};

class ReviewService : public ReviewHandlers {
 public:
  explicit ReviewService(ReviewSetup setup);
  ~ReviewService() override;

  // The first reading, with the decisions file when there is one; false
  // after saying on `io.err` why an input cannot be used.
  bool Start(CliStreams& io);

  ReviewReply Page() override;
  ReviewReply Get(std::string_view name,
                  const std::multimap<std::string, std::string>& query) override;
  ReviewReply Post(std::string_view name, std::string_view body) override;

  // The page asked to stop.
  bool QuitAsked() const { return quit_; }
  // Once a second: looks whether an input changed, and reads them again.
  void Tick();
  // Waits for a reading of the inputs under way.
  void Settle();

 private:
  struct Applied {
    std::string backup;        // the table as it was before the Apply
    uint64_t table_stamp = 0;  // the table as the Apply left it
  };

  ReviewReply State();
  ReviewReply ClassReview(const std::multimap<std::string, std::string>& query);
  ReviewReply Complete(const std::multimap<std::string, std::string>& query);
  ReviewReply Preview();
  ReviewReply Decide(std::string_view body);
  ReviewReply Undo(std::string_view body);
  ReviewReply AcceptTools(std::string_view body);
  ReviewReply Apply(std::string_view body);
  ReviewReply UndoApply();

  // Lays the changes and writes the decisions file; on failure takes them
  // back and says why.
  std::string Take(const std::vector<DecisionChange>& changes, std::vector<size_t>& sources,
                   std::vector<DecisionChange>* before);
  ReviewReply Answer(const std::vector<size_t>& sources, const std::string& showing,
                     const std::string& said);
  std::optional<Decision> Resolve(const DecideRequest& request, const ItemRef& ref,
                                  std::string& refused) const;
  // Reads the inputs again with the decisions as they are now; false with
  // why in `problem`. Called with the lock held.
  bool ReadAgain(bool lexicon_too, std::string& problem);
  std::unique_ptr<ReviewRun> Load(const DecisionsFile& decisions, const Lexicon* lexicon,
                                  std::string& problem) const;
  void Swap(std::unique_ptr<ReviewRun> fresh);

  ReviewSetup setup_;
  std::mutex mutex_;
  std::shared_ptr<const Lexicon> lexicon_;
  std::unique_ptr<ReviewRun> run_;
  std::unique_ptr<TypedTargets> targets_;
  std::vector<std::vector<DecisionChange>> undo_;
  std::vector<Applied> applied_;
  long version_ = 1;
  long decisions_taken_ = 0;  // counts every change of decisions, to tell a reading outrun
  long readings_ = 0;         // counts every reading of the inputs put in place
  std::string notice_;        // what the last reading of the inputs did
  std::string problem_;       // why the inputs could not be read again, while they cannot
  std::mutex watch_mutex_;
  InputWatch watch_;
  std::thread reading_;
  std::atomic<bool> reading_busy_{false};
  std::atomic<bool> quit_{false};
};

#endif  // ZOR_REVIEW_REVIEW_SERVICE_H_
