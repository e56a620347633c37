// Boost.URL's own sources, built once into the web library: it is not
// header-only, and neither Debian's nor the cross compiler's Boost gives a
// library of it to link.
#include <boost/url/src.hpp>
