# The four web hosts the program links to. A site that brands the program sets
# its own at configure time, e.g. -DSTARBOND_PRODUCT_HOST=www.mysite.com
# Defaults sit under the reserved .example domain so none points at a real site.
set(STARBOND_BOARD_HOME_HOST "velmora.example" CACHE STRING "Board site, home page host")
set(STARBOND_BOARD_HOST "www.velmora.example" CACHE STRING "Board site, software area and refer-a-friend host")
set(STARBOND_HELP_HOST "help.velmora.example" CACHE STRING "Maker's help site host")
set(STARBOND_PRODUCT_HOST "starbond.example" CACHE STRING "Product site host")
