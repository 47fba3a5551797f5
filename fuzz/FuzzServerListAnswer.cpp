// Fuzz target: the server-list answer, whose RecommendedURL names the host of the next requests.
#include "FuzzSupport.h"
#include "download/KVIndyHTTP.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ExpectLoadedOrReaderError([&] {
    const std::string host = RecommendedServerOfAnswer(std::string(FuzzText(data, size)));
    // The host goes into URLs: the reader's promise is a plain host[:port] or nothing.
    ExpectThat(host.find_first_of("/?#@\\ \r\n") == std::string::npos, "the recommended host is not a plain host");
  });
  return 0;
}
