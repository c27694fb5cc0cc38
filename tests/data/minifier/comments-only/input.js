// a line comment
/* a block
   comment */

